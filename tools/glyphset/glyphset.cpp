// SPDX-License-Identifier: GPL-2.0-or-later
// Collects every non-ASCII character of the string literals in the game's
// sources and writes them, as code page 932 bytes, into a C++ file that the
// tests check the glyph file against. Usage: glyphset OUT.cpp SOURCE...
#include <iconv.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

std::string readWhole(const char* path) {
    std::string text;
    FILE* in = std::fopen(path, "rb");
    if (in == nullptr) return text;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, n);
    std::fclose(in);
    return text;
}

// The UTF-8 characters of one literal's body that are not ASCII.
void collectLiteral(const std::string& body, std::set<std::string>& found) {
    for (size_t i = 0; i < body.size();) {
        const unsigned char lead = static_cast<unsigned char>(body[i]);
        size_t size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (size > 1 && i + size <= body.size()) found.insert(body.substr(i, size));
        i += size;
    }
}

// Walks the source, skipping comments and character literals.
void collectSource(const std::string& text, std::set<std::string>& found) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "//") == 0) {
            i = text.find('\n', i);
            if (i == std::string::npos) return;
        } else if (text.compare(i, 2, "/*") == 0) {
            i = text.find("*/", i + 2);
            if (i == std::string::npos) return;
            ++i;
        } else if (text[i] == '"' || text[i] == '\'') {
            const char quote = text[i];
            std::string body;
            for (++i; i < text.size() && text[i] != quote && text[i] != '\n'; ++i) {
                if (text[i] == '\\') ++i;
                else body += text[i];
            }
            if (quote == '"') collectLiteral(body, found);
        }
    }
}

std::string toCodePage932(iconv_t convert, const std::string& utf8) {
    char in[8];
    char out[8];
    utf8.copy(in, utf8.size());
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = utf8.size();
    size_t outLeft = sizeof out;
    iconv(convert, nullptr, nullptr, nullptr, nullptr);
    if (iconv(convert, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return "";
    return std::string(out, static_cast<size_t>(outPtr - out));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: glyphset OUT.cpp SOURCE...\n");
        return 2;
    }
    std::set<std::string> found;
    for (int i = 2; i < argc; ++i) collectSource(readWhole(argv[i]), found);

    iconv_t convert = iconv_open("CP932", "UTF-8");
    if (convert == reinterpret_cast<iconv_t>(-1)) return 1;
    std::string bytes;
    for (const std::string& character : found) bytes += toCodePage932(convert, character);
    iconv_close(convert);

    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 1;
    std::fprintf(out, "// Written by glyphset: the code page 932 characters of the game's texts.\n");
    std::fprintf(out, "extern const char GAME_TEXT_GLYPHS[];\nconst char GAME_TEXT_GLYPHS[] =\n    \"");
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::fprintf(out, "\\x%02x", static_cast<unsigned char>(bytes[i]));
        if (i % 32 == 31) std::fprintf(out, "\"\n    \"");
    }
    std::fprintf(out, "\";\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
