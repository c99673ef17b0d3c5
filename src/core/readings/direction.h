#pragma once

#include <QString>

#include <vector>

namespace readings {

// Follows the runs of explicit direction a text opens and closes: embeddings and overrides
// (U+202A, U+202B, U+202D, U+202E, closed by U+202C) and isolates (U+2066 to U+2068, closed by
// U+2069), paired as the Unicode bidirectional algorithm pairs them. A run left open reorders
// everything after it up to the end of its paragraph.
class DirectionRuns
{
public:
    void feed(QChar c);
    bool anyOpen() const { return !m_open.empty(); }
    // The characters that close every run still open, innermost first.
    QString closing() const;

private:
    std::vector<bool> m_open; // one per run open, innermost last: whether it is an isolate
};

// The text with every run of direction it leaves open closed at its end, so that what follows it
// keeps its own direction: a name cannot turn the rest of its line around.
QString withDirectionsClosed(const QString &text);

} // namespace readings
