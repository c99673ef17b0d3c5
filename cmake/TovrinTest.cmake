# tovrin_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>])
#
# Registers one Qt Test executable. Every test runs through run-isolated.sh, which
# gives it a private temporary home, config, data and runtime folder, so tests can run
# in parallel without sharing a lock file, a settings file or the user's home.
set(TOVRIN_RUN_ISOLATED ${CMAKE_CURRENT_LIST_DIR}/run-isolated.sh)

function(tovrin_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND sh ${TOVRIN_RUN_ISOLATED} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
        TIMEOUT 120)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${TOVRIN_SANITIZER_ENVIRONMENT})
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
