// SPDX-License-Identifier: GPL-2.0-or-later
// Named access to the game state for the scripts.
#include "variables.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>
#else
#include <iconv.h>
#endif

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "core/scenes.h"
#include "frontend/rank_table.h"
#include "game_driver.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "state/records.h"

namespace {

// Splits "price.12" into "price" and 12; index -1 when there is none.
bool splitIndex(const std::string& name, std::string& base, int64_t& index) {
    const size_t dot = name.find('.');
    if (dot == std::string::npos) {
        base = name;
        index = -1;
        return true;
    }
    base = name.substr(0, dot);
    const std::string digits = name.substr(dot + 1);
    if (digits.empty()) return false;
    char* end = nullptr;
    index = std::strtoll(digits.c_str(), &end, 10);
    return *end == '\0' && index >= 0;
}

bool inSlots(int64_t index) { return index >= 0 && index < SLOTS; }

// Row 1 to 4 of savedat/rank.txt, as the file holds it.
bool readRankFileRow(int64_t row, RankEntry& entry) {
    if (row < 1 || row > RANK_FILE_ROWS) return false;
    std::ifstream in("savedat/rank.txt", std::ios::binary);
    if (!in) return false;
    in.seekg(static_cast<std::streamoff>((row - 1) * sizeof(RankEntry)));
    in.read(reinterpret_cast<char*>(&entry), sizeof entry);
    if (!in) return false;
    entry.name[sizeof entry.name - 1] = '\0';
    return true;
}

}  // namespace

#ifdef _WIN32
// Character by character through Windows' code page 932, an unknown byte
// shown as "?" as iconv's version does.
std::string cp932ToUtf8(const char* text, size_t length) {
    const size_t size = strnlen(text, length);
    std::string out;
    for (size_t at = 0; at < size;) {
        const bool lead = IsDBCSLeadByteEx(932, static_cast<BYTE>(text[at])) != 0;
        const int bytes = lead && at + 1 < size ? 2 : 1;
        wchar_t wide[2];
        char utf8[8];
        const int chars = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text + at, bytes, wide, 2);
        const int made = chars > 0 && !(lead && bytes == 1)
                             ? WideCharToMultiByte(CP_UTF8, 0, wide, chars, utf8, sizeof utf8, nullptr, nullptr)
                             : 0;
        if (made > 0) {
            out.append(utf8, static_cast<size_t>(made));
            at += static_cast<size_t>(bytes);
        } else {
            out += '?';
            ++at;
        }
    }
    return out;
}
#elif defined(__EMSCRIPTEN__)
// emscripten's libc has no code page 932: the host's decoder (node's, which
// decodes shift_jis as code page 932) writes the UTF-8 into `out`, an unknown
// byte as "?".
EM_JS(int, decodeCp932, (const char* text, int size, char* out, int room), {
    const bytes = HEAPU8.subarray(text, text + size);
    const decoded = new TextDecoder('shift_jis').decode(bytes).replace(/\uFFFD/g, '?');
    return stringToUTF8(decoded, out, room);
});

std::string cp932ToUtf8(const char* text, size_t length) {
    const size_t size = strnlen(text, length);
    std::string out(size * 3 + 1, '\0');
    const int made = decodeCp932(text, static_cast<int>(size), out.data(), static_cast<int>(out.size()));
    out.resize(static_cast<size_t>(made));
    return out;
}
#else
std::string cp932ToUtf8(const char* text, size_t length) {
    const size_t size = strnlen(text, length);
    std::string out;
    iconv_t convert = iconv_open("UTF-8", "CP932");
    if (convert == reinterpret_cast<iconv_t>(-1)) return std::string(text, size);
    char* in = const_cast<char*>(text);
    size_t inLeft = size;
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(convert, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (done == static_cast<size_t>(-1) && outPtr == buffer) {
            // An unknown byte: show it as "?" and go on.
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(convert);
    return out;
}
#endif

bool readNumber(const std::string& name, int64_t& value) {
    std::string base;
    int64_t i = 0;
    if (!splitIndex(name, base, i)) return false;
    if (i < 0) {
        if (base == "scene") value = loop.GameScene;
        else if (base == "turn") value = driverTurns();
        else if (base == "ms") value = driverMillis();
        else if (base == "frames") value = driverFrames();
        else if (base == "quit") value = driverQuit() ? 1 : 0;
        else if (base == "framecounter") value = loop.frameCounter;
        else if (base == "music") value = headless::musicCommandCount();
        else if (base == "cash") value = Player.cash;
        else if (base == "stock") value = PortfolioValue.stockValue;
        else if (base == "everbought") value = PortfolioValue.everBought;
        else if (base == "year") value = Calendar.year;
        else if (base == "month") value = Calendar.month;
        else if (base == "day") value = Calendar.day;
        else if (base == "yearsleft") value = Calendar.yearsLeft;
        else if (base == "steps") value = market.stepTicks;
        else if (base == "transition") value = market.marketTransition;
        else if (base == "paused") value = market.marketPaused;
        else if (base == "bankrupt") value = market.bankruptShowing;
        else if (base == "bankruptslot") value = market.bankruptSlot;
        else if (base == "bankruptrow") value = market.bankruptRow;
        else if (base == "founded") value = market.foundedShowing;
        else if (base == "supportshowing") value = market.supportShowing;
        else if (base == "saveshowing") value = market.saveShowing;
        else if (base == "ruin") value = market.ruinReady;
        else if (base == "zoom") value = market.zoomA[0];
        else if (base == "secondzoom") value = market.secondZoom;
        else if (base == "shake") value = market.shakeActive;
        else if (base == "graphselected") value = GraphState.graphSelected;
        else if (base == "loadsaved") value = session.loadSaved;
        else return false;
        return true;
    }
    if (base == "price" && inSlots(i)) value = ListedCompanies[i].price;
    else if (base == "shares" && inSlots(i)) value = Holdings[i].shares;
    else if (base == "row" && inSlots(i)) value = CatalogIndex[i];
    else if (base == "history" && inSlots(i)) value = PriceHistory[i].historyCount;
    else if (base == "bought" && inSlots(i)) value = TradeRows[i].bought;
    else if (base == "sellorder" && inSlots(i)) value = TradeRows[i].sellOrder;
    else if (base == "lostshares" && inSlots(i)) value = market.lostShares[i];
    else if (base == "listed" && i < CATALOG_ROWS) value = CompanyCatalog[i].listed;
    else if (base == "catprice" && i < CATALOG_ROWS) value = CompanyCatalog[i].catalogPrice;
    else if (base == "rankcash" && i >= 1 && i <= RANK_ROWS) value = RankTable[i - 1].cash;
    else if (base == "rankstock" && i >= 1 && i <= RANK_ROWS) value = RankTable[i - 1].stockValue;
    else if (base == "rankclass" && i >= 1 && i <= RANK_ROWS) value = RankTable[i - 1].assetClass;
    else if (base == "rankfilecash") {
        RankEntry entry{};
        if (!readRankFileRow(i, entry)) return false;
        value = entry.cash;
    } else {
        return false;
    }
    return true;
}

bool readText(const std::string& name, std::string& value) {
    std::string base;
    int64_t i = 0;
    if (!splitIndex(name, base, i)) return false;
    if (i < 0) {
        if (base == "playername") value = cp932ToUtf8(Player.playerName, sizeof Player.playerName);
        else if (base == "goaltext") value = cp932ToUtf8(Player.goalYearsText, sizeof Player.goalYearsText);
        else if (base == "cashtext") value = cp932ToUtf8(Player.cashText, sizeof Player.cashText);
        else if (base == "stocktext")
            value = cp932ToUtf8(PortfolioValue.stockValueText, sizeof PortfolioValue.stockValueText);
        else if (base == "yearslefttext")
            value = cp932ToUtf8(session.yearsLeftText, sizeof session.yearsLeftText);
        else if (base == "bankruptmessage")
            value = cp932ToUtf8(market.bankruptMessage, sizeof market.bankruptMessage);
        else if (base == "lostsharesmessage")
            value = cp932ToUtf8(market.lostSharesMessage, sizeof market.lostSharesMessage);
        else if (base == "foundedmessage")
            value = cp932ToUtf8(market.foundedMessage, sizeof market.foundedMessage);
        else if (base == "supportmessage")
            value = cp932ToUtf8(market.supportMessage, sizeof market.supportMessage);
        else if (base == "savemessage") value = cp932ToUtf8(market.saveMessage, sizeof market.saveMessage);
        else if (base == "musiclog") {
            // Every music command sent so far, oldest first, joined by " | ".
            value.clear();
            for (int k = 0; k < headless::musicCommandCount(); ++k) {
                if (k > 0) value += " | ";
                value += headless::musicCommand(k);
            }
        } else return false;
        return true;
    }
    if (base == "company" && inSlots(i)) {
        value = cp932ToUtf8(ListedCompanies[i].name, sizeof ListedCompanies[i].name);
    } else if (base == "catalogname" && i < CATALOG_ROWS) {
        value = cp932ToUtf8(CompanyCatalog[i].name, sizeof CompanyCatalog[i].name);
    } else if (base == "rankname" && i >= 1 && i <= RANK_ROWS) {
        value = cp932ToUtf8(RankTable[i - 1].name, sizeof RankTable[i - 1].name);
    } else if (base == "rankfilename") {
        RankEntry entry{};
        if (!readRankFileRow(i, entry)) return false;
        value = cp932ToUtf8(entry.name, sizeof entry.name);
    } else {
        return false;
    }
    return true;
}

bool writeNumber(const std::string& name, int64_t value) {
    std::string base;
    int64_t i = 0;
    if (!splitIndex(name, base, i)) return false;
    if (base == "price" && inSlots(i)) {
        ListedCompanies[i].price = static_cast<int32_t>(value);
        return true;
    }
    if (base == "framecounter" && i < 0) {
        loop.frameCounter = static_cast<int32_t>(value);
        return true;
    }
    return false;
}
