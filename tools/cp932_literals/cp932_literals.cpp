// SPDX-License-Identifier: GPL-2.0-or-later
// Copies a UTF-8 C++ source with the texts of its string and character
// literals turned into code page 932 octal escapes, so that a compiler without
// an execution character set option builds the same bytes the game's own build
// gets from -fexec-charset=CP932. The text goes through the same iconv table.
// Everything outside literals (code, comments) is copied unchanged.
#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

bool readAll(const char* path, std::string& text) {
    FILE* in = std::fopen(path, "rb");
    if (in == nullptr) return false;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
    std::fclose(in);
    return true;
}

// Converts one run of non-ASCII UTF-8 bytes; false when iconv cannot.
bool appendEscaped(iconv_t converter, const std::string& run, std::string& out) {
    std::string input = run;
    std::string converted(run.size() * 2 + 8, '\0');
    char* from = input.data();
    size_t fromLeft = input.size();
    char* to = converted.data();
    size_t toLeft = converted.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &from, &fromLeft, &to, &toLeft) == static_cast<size_t>(-1)) return false;
    converted.resize(converted.size() - toLeft);
    for (unsigned char byte : converted) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\%03o", byte);
        out += escape;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cp932_literals IN OUT\n");
        return 2;
    }
    std::string text;
    if (!readAll(argv[1], text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return 1;

    std::string out;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            const size_t end = text.find('\n', i);
            const size_t stop = end == std::string::npos ? n : end;
            out.append(text, i, stop - i);
            i = stop;
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            const size_t end = text.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? n : end + 2;
            out.append(text, i, stop - i);
            i = stop;
        } else if (c == 'R' && i + 1 < n && text[i + 1] == '"' &&
                   (i == 0 || !(std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '_'))) {
            std::fprintf(stderr, "%s: raw string literals are not handled\n", argv[1]);
            return 1;
        } else if (c == '"' || c == '\'') {
            out += c;
            ++i;
            while (i < n && text[i] != c) {
                if (text[i] == '\\' && i + 1 < n) {
                    out.append(text, i, 2);
                    i += 2;
                } else if (static_cast<unsigned char>(text[i]) >= 0x80) {
                    size_t end = i;
                    while (end < n && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
                    if (!appendEscaped(converter, text.substr(i, end - i), out)) {
                        std::fprintf(stderr, "%s: text not in code page 932\n", argv[1]);
                        return 1;
                    }
                    i = end;
                } else {
                    out += text[i++];
                }
            }
            if (i < n) out += text[i++];
        } else {
            out += c;
            ++i;
        }
    }
    iconv_close(converter);

    FILE* file = std::fopen(argv[2], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
