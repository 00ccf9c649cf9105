#pragma once

#include <cstddef>
#include <string_view>

// Checks bytes for well-formed UTF-8 as they arrive in pieces of any size,
// so that a file can be judged as a whole without holding it in memory.
// Overlong forms, surrogates and values above U+10FFFF are malformed.
class Utf8Validator
{
public:
    void feed(const char* data, size_t size);
    // True when everything fed so far is well-formed and no sequence is
    // left open at the end.
    bool valid() const { return !m_failed && m_pending == 0; }
    // True once a malformed sequence was met: no later byte can mend it.
    bool failed() const { return m_failed; }

    static bool isValid(std::string_view bytes);

private:
    bool m_failed = false;
    int m_pending = 0;      // continuation bytes still expected
    char32_t m_value = 0;   // the code point collected so far
    char32_t m_minimum = 0; // the smallest value the sequence's length may encode
};
