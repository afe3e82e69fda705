#include "data/ParsingPass.h"

#include "data/FieldRule.h"
#include "platform/DecimalParse.h"

namespace kurvon {

ParsingPass::ParsingPass(const char* text, float* const* columns, std::uint32_t channels,
                         std::uint64_t records, std::vector<std::string>* names)
    : m_text(text), m_columns(columns), m_channels(channels), m_records(records), m_names(names) {}

void ParsingPass::ParseLine(const ParseCursor& cursor, const char* begin, const char* end) {
    if (cursor.nonBlank == 2) {
        std::uint32_t k = 0;
        ForEachField(begin, end, [&](const char* b, const char* e) {
            if (k >= m_channels)
                return false;
            (*m_names)[k++].assign(b, e);
            return true;
        });
    } else if (cursor.nonBlank > 2 && cursor.record < m_records) {
        ParseDataLine(cursor.record, begin, end);
    }
}

void ParsingPass::ParseDataLine(std::uint64_t record, const char* p, const char* end) {
    // Values the line does not supply keep the zero the columns were created with.
    for (std::uint32_t k = 0; k < m_channels; ++k) {
        while (p < end && IsFieldSeparator(*p))
            ++p;
        if (p == end)
            return;
        float value;
        if (*p >= '\n' && *p <= '\r') {
            // atof would skip this white space, and with it the separator after it: bound the
            // conversion by the field.
            const char* fieldEnd = p;
            while (fieldEnd < end && !IsFieldSeparator(*fieldEnd))
                ++fieldEnd;
            value = ParseDecimalPrefix(p, fieldEnd);
            p = fieldEnd;
        } else {
            // A number never holds a separator, so it cannot run past its field.
            const char* stop;
            value = ParseDecimalPrefix(p, end, &stop);
            p = stop;
            while (p < end && !IsFieldSeparator(*p))
                ++p;
        }
        m_columns[k][record] = value;
    }
}

} // namespace kurvon
