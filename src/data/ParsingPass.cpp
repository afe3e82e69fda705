#include "data/ParsingPass.h"

#include "data/FieldRule.h"
#include "platform/DecimalParse.h"

namespace kurvon {

ParsingPass::ParsingPass(float* const* columns, std::uint32_t channels, std::uint64_t recordEnd,
                         std::vector<std::string>* names, const ParseCursor& start, FieldMode mode)
    : m_columns(columns), m_channels(channels), m_recordEnd(recordEnd), m_names(names),
      m_cursor(start), m_mode(mode) {}

void ParsingPass::ParseLine(const char* begin, const char* end) {
    if (m_cursor.nonBlank == 2) {
        if (!m_names)
            return;
        std::uint32_t k = 0;
        ForEachField(m_mode, begin, end, [&](const char* b, const char* e) {
            if (k >= m_channels)
                return false;
            (*m_names)[k++].assign(b, e);
            return true;
        });
    } else if (m_cursor.nonBlank > 2 && m_cursor.record < m_recordEnd) {
        if (m_mode == FieldMode::Tabs)
            ParseTabDataLine(m_cursor.record, begin, end);
        else
            ParseDataLine(m_cursor.record, begin, end);
    }
}

void ParsingPass::ParseDataLine(std::uint64_t record, const char* p, const char* end) {
    // Values the line does not supply keep the zero the columns were created with. The line
    // ends in CR, LF or the window's NUL: no separator, no part of a number, so the scans for
    // them stop at end by themselves.
    for (std::uint32_t k = 0; k < m_channels; ++k) {
        while (IsFieldSeparator(*p))
            ++p;
        if (p == end)
            return;
        float value;
        double shortValue;
        const char* stop;
        if (detail::ParseShortDecimal<true>(p, end, shortValue, stop)) {
            // The bulk of the fields; at most 15 digits: always within the float range.
            value = static_cast<float>(shortValue);
            p = stop;
        } else if (*p >= '\n' && *p <= '\r') {
            // atof would skip this white space, and with it the separator after it: bound the
            // conversion by the field.
            const char* fieldEnd = p;
            while (fieldEnd < end && !IsFieldSeparator(*fieldEnd))
                ++fieldEnd;
            value = ParseDecimalPrefix(p, fieldEnd);
            p = fieldEnd;
        } else {
            value = RoundToFloat(ParseDecimalPrefixDouble(p, end, &stop));
            p = stop;
        }
        // A number never holds a separator, so it cannot run past its field.
        while (p < end && !IsFieldSeparator(*p))
            ++p;
        m_columns[k][record] = value;
    }
}

void ParsingPass::ParseTabDataLine(std::uint64_t record, const char* begin, const char* end) {
    std::uint32_t k = 0;
    ForEachTabField(begin, end, [&](const char* b, const char* e) {
        if (k >= m_channels)
            return false;
        // Bounded by the field: a value may hold spaces ("08/13/2019 19:17:53").
        m_columns[k++][record] = ParseDecimalPrefix(b, e);
        return true;
    });
}

} // namespace kurvon
