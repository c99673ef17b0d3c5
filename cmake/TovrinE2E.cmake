# End-to-end tests: Python scripts that drive the real tovrin binary on a private X
# desktop (tests/e2e/run-e2e.sh).
#
# TOVRIN_E2E_TESTS: AUTO registers the tests when the tools they need are installed and
# says so when they are not; ON requires the tools; OFF leaves the tests out.
#
# tovrin_add_e2e_script(<file.py> [TIMEOUT <s>] [WAYLAND])
#   Registers every test method of the script's unittest classes ("class X(...):" and
#   its "    def test_...(self):" lines) as a CTest test of its own, named
#   e2e.<script without test_>.<method without test_>, so each runs on its own X server
#   and CTest can run them side by side. Adding a method needs no CMake change.
#
# tovrin_add_e2e_test(<name> SCRIPT <file.py> [CASE <Class.test_method>] [TIMEOUT <s>]
#                     [WAYLAND])
#   Registers one CTest test (label e2e) that runs CASE of SCRIPT (all of SCRIPT's tests
#   without CASE). Screenshots go to <build>/e2e-artifacts/<name>/.
#
# WAYLAND runs the tests on a Wayland compositor of their own (Weston, without a screen;
# run-e2e-wayland.sh) instead of an X server, and adds the label wayland. They need weston
# and Qt's Wayland platform plugin (qt6-wayland) besides the accessibility tools.
set(TOVRIN_E2E_TESTS AUTO CACHE STRING "Register the end-to-end tests (AUTO, ON or OFF)")
set_property(CACHE TOVRIN_E2E_TESTS PROPERTY STRINGS AUTO ON OFF)

set(TOVRIN_E2E_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/e2e)
set(TOVRIN_E2E_ARTIFACTS ${CMAKE_BINARY_DIR}/e2e-artifacts)
set(TOVRIN_E2E_ENABLED OFF)
set(TOVRIN_E2E_WAYLAND_ENABLED OFF)

if(NOT TOVRIN_E2E_TESTS STREQUAL "OFF")
    # Debian's own python3: the accessibility module python3-pyatspi is installed for it.
    find_program(TOVRIN_E2E_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
    set(_tovrin_e2e_missing "")
    foreach(tool Xvfb openbox xdotool wmctrl xprop xwininfo import xclip dbus-run-session)
        find_program(TOVRIN_E2E_TOOL_${tool} ${tool})
        if(NOT TOVRIN_E2E_TOOL_${tool})
            list(APPEND _tovrin_e2e_missing ${tool})
        endif()
    endforeach()
    if(TOVRIN_E2E_PYTHON)
        execute_process(COMMAND ${TOVRIN_E2E_PYTHON} -c "import pyatspi"
                        RESULT_VARIABLE _tovrin_e2e_pyatspi OUTPUT_QUIET ERROR_QUIET)
        if(NOT _tovrin_e2e_pyatspi EQUAL 0)
            list(APPEND _tovrin_e2e_missing "python3-pyatspi")
        endif()
    else()
        list(APPEND _tovrin_e2e_missing /usr/bin/python3)
    endif()

    if(_tovrin_e2e_missing)
        set(_tovrin_e2e_message "End-to-end tests need: ${_tovrin_e2e_missing} "
            "(scripts/install-deps.sh run test installs them)")
        if(TOVRIN_E2E_TESTS STREQUAL "ON")
            message(FATAL_ERROR ${_tovrin_e2e_message})
        endif()
        message(WARNING "${_tovrin_e2e_message}; the end-to-end tests are left out")
    else()
        set(TOVRIN_E2E_ENABLED ON)
    endif()

    find_program(TOVRIN_E2E_TOOL_weston weston)
    find_file(TOVRIN_E2E_QT_WAYLAND libqwayland-generic.so
              PATHS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/platforms NO_DEFAULT_PATH)
    set(_tovrin_e2e_missing "")
    if(NOT TOVRIN_E2E_TOOL_weston)
        list(APPEND _tovrin_e2e_missing weston)
    endif()
    if(NOT TOVRIN_E2E_QT_WAYLAND)
        list(APPEND _tovrin_e2e_missing qt6-wayland)
    endif()
    if(TOVRIN_E2E_ENABLED AND _tovrin_e2e_missing)
        set(_tovrin_e2e_message "The Wayland end-to-end tests need: ${_tovrin_e2e_missing} "
            "(scripts/install-deps.sh run test installs them)")
        if(TOVRIN_E2E_TESTS STREQUAL "ON")
            message(FATAL_ERROR ${_tovrin_e2e_message})
        endif()
        message(WARNING "${_tovrin_e2e_message}; they are left out")
    elseif(TOVRIN_E2E_ENABLED)
        set(TOVRIN_E2E_WAYLAND_ENABLED ON)
    endif()
endif()

function(tovrin_add_e2e_test name)
    cmake_parse_arguments(E "WAYLAND" "SCRIPT;CASE;TIMEOUT" "" ${ARGN})
    if(NOT TOVRIN_E2E_ENABLED OR (E_WAYLAND AND NOT TOVRIN_E2E_WAYLAND_ENABLED))
        return()
    endif()
    if(NOT E_TIMEOUT)
        set(E_TIMEOUT 120)
    endif()
    set(runner run-e2e.sh)
    set(labels e2e)
    if(E_WAYLAND)
        set(runner run-e2e-wayland.sh)
        list(APPEND labels wayland)
    endif()
    add_test(NAME ${name}
        COMMAND bash ${TOVRIN_E2E_DIR}/${runner} $<TARGET_FILE:tovrin>
                ${TOVRIN_E2E_ARTIFACTS}/${name}
                ${CMAKE_CURRENT_SOURCE_DIR}/${E_SCRIPT} ${E_CASE})
    set_tests_properties(${name} PROPERTIES
        LABELS "${labels}"
        TIMEOUT ${E_TIMEOUT}
        ENVIRONMENT "TOVRIN_E2E_PYTHON=${TOVRIN_E2E_PYTHON};TOVRIN_BASE_URL=${TOVRIN_BASE_URL}")
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${TOVRIN_SANITIZER_ENVIRONMENT})
endfunction()

function(tovrin_add_e2e_script script)
    cmake_parse_arguments(E "WAYLAND" "TIMEOUT" "" ${ARGN})
    set(path ${CMAKE_CURRENT_SOURCE_DIR}/${script})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    get_filename_component(stem ${script} NAME_WE)
    string(REGEX REPLACE "^test_" "" stem ${stem})
    file(STRINGS ${path} lines REGEX "^(class [A-Za-z_0-9]+|    def test_[A-Za-z_0-9]+)\\(")
    set(class "")
    set(count 0)
    foreach(line IN LISTS lines)
        if(line MATCHES "^class ([A-Za-z_0-9]+)")
            set(class ${CMAKE_MATCH_1})
        elseif(line MATCHES "^    def (test_([A-Za-z_0-9]+))" AND class)
            set(extra "")
            if(E_TIMEOUT)
                set(extra TIMEOUT ${E_TIMEOUT})
            endif()
            if(E_WAYLAND)
                list(APPEND extra WAYLAND)
            endif()
            tovrin_add_e2e_test(e2e.${stem}.${CMAKE_MATCH_2}
                SCRIPT ${script} CASE ${class}.${CMAKE_MATCH_1} ${extra})
            math(EXPR count "${count} + 1")
        endif()
    endforeach()
    if(count EQUAL 0)
        message(FATAL_ERROR "${script} has no test methods")
    endif()
endfunction()
