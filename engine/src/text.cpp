/* text.cpp - the module's fixed-width texts: converting them between file and memory,
 * and setting the title. */
#include "text.h"

#include "vxa_mod_internal.h"

#include <cstring>

void vx_text_from_padded(char *out, const unsigned char *bytes, size_t width)
{
    size_t end = 0;
    for (size_t i = 0; bytes && i < width; ++i) {
        out[i] = bytes[i] == '\0' ? ' ' : static_cast<char>(bytes[i]);
        if (out[i] != ' ')
            end = i + 1;
    }
    out[end] = '\0';
}

void vx_text_to_padded(unsigned char *out, const char *text, size_t width)
{
    std::memset(out, 0, width);
    for (size_t i = 0; i < width && text[i] != '\0'; ++i)
        out[i] = static_cast<unsigned char>(text[i]);
}

void vxa_mod_set_title(vxa_mod *mod, const char *text)
{
    if (!mod)
        return;
    std::memset(mod->title, 0, sizeof mod->title);
    if (text)
        std::strncpy(mod->title, text, k_title_chars);
}
