#include "Utf8Validator.h"

#include <cstdint>
#include <cstring>

void Utf8Validator::feed(const char* data, size_t size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* const end = p + size;
    while (p < end && !m_failed) {
        // Most text is ASCII: pass it eight bytes at a time.
        if (m_pending == 0) {
            while (end - p >= 8) {
                uint64_t word;
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ull)
                    break;
                p += 8;
            }
            if (p == end)
                break;
        }
        const unsigned char b = *p++;
        if (m_pending > 0) {
            if ((b & 0xC0) != 0x80) {
                m_failed = true;
                break;
            }
            m_value = (m_value << 6) | (b & 0x3F);
            if (--m_pending == 0 && (m_value < m_minimum || m_value > 0x10FFFF ||
                                     (m_value >= 0xD800 && m_value <= 0xDFFF)))
                m_failed = true;
            continue;
        }
        if (b < 0x80)
            continue;
        if ((b & 0xE0) == 0xC0) {
            m_pending = 1, m_value = b & 0x1F, m_minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            m_pending = 2, m_value = b & 0x0F, m_minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            m_pending = 3, m_value = b & 0x07, m_minimum = 0x10000;
        } else {
            m_failed = true;
        }
    }
}

bool Utf8Validator::isValid(std::string_view bytes)
{
    Utf8Validator validator;
    validator.feed(bytes.data(), bytes.size());
    return validator.valid();
}
