#include "core/readings/direction.h"

#include <algorithm>

namespace readings {

void DirectionRuns::feed(QChar c)
{
    switch (c.unicode()) {
    case 0x202A: // left-to-right embedding
    case 0x202B: // right-to-left embedding
    case 0x202D: // left-to-right override
    case 0x202E: // right-to-left override
        m_open.push_back(false);
        break;
    case 0x2066: // left-to-right isolate
    case 0x2067: // right-to-left isolate
    case 0x2068: // first strong isolate
        m_open.push_back(true);
        break;
    case 0x202C: // pop directional formatting: closes an embedding or override, never an isolate
        if (!m_open.empty() && !m_open.back())
            m_open.pop_back();
        break;
    case 0x2069: { // pop directional isolate: closes the innermost isolate and all opened in it
        const auto isolate = std::find(m_open.rbegin(), m_open.rend(), true);
        if (isolate != m_open.rend())
            m_open.erase(std::next(isolate).base(), m_open.end());
        break;
    }
    case u'\n':
    case u'\r':
    case 0x2029: // a paragraph ends every run
        m_open.clear();
        break;
    default:
        break;
    }
}

QString DirectionRuns::closing() const
{
    QString marks;
    for (auto run = m_open.rbegin(); run != m_open.rend(); ++run)
        marks.append(*run ? QChar(0x2069) : QChar(0x202C));
    return marks;
}

QString withDirectionsClosed(const QString &text)
{
    DirectionRuns runs;
    for (QChar c : text)
        runs.feed(c);
    return runs.anyOpen() ? text + runs.closing() : text;
}

} // namespace readings
