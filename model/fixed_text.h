#pragma once
// Fixed-size text fields: always terminated, longer texts cut to fit.

#include <cstddef>
#include <cstring>

// Copies src into a field of `capacity` bytes, cutting it to capacity - 1 characters.
// Returns false when the text had to be cut.
inline bool copyFixedText(char* field, size_t capacity, const char* src)
{
    size_t length = strlen(src);
    bool fits = length < capacity;
    if (!fits)
        length = capacity - 1;
    memcpy(field, src, length);
    field[length] = '\0';
    return fits;
}

// ASCII case-insensitive equality of two terminated texts (letters A to Z only).
inline bool equalIgnoringCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        char ca = (*a >= 'A' && *a <= 'Z') ? char(*a - 'A' + 'a') : *a;
        char cb = (*b >= 'A' && *b <= 'Z') ? char(*b - 'A' + 'a') : *b;
        if (ca != cb)
            return false;
        if (ca == '\0')
            return true;
    }
}

// Lower-cases the ASCII letters A to Z of a terminated text, in place.
inline void toLowerAscii(char* text)
{
    for (; *text; ++text)
        if (*text >= 'A' && *text <= 'Z')
            *text = char(*text - 'A' + 'a');
}
