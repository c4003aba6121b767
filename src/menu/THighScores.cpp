#include "menu/THighScores.h"

#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "missions/THud.h"
#include "missions/TProfile.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontAlt.h"
#include "render/TVelaFontsAlt.h"
#include "runtime/TFile.h"
#include "runtime/TGameFolders.h"
#include "runtime/TPath.h"
#include "runtime/TSaveFile.h"
#include "runtime/TZlibStream.h"
#include "text/TText.h"

#include <algorithm>

namespace {

constexpr uint32_t HeadColour = 0xFF32FBFFu;
constexpr uint32_t EntryColour = 0xFF7EAFB1u;
constexpr uint32_t HoverColour = 0xFF008000u;
constexpr int BestLevel = 9;
constexpr size_t KillOffset = 25;

void PutEntry(std::vector<uint8_t>& Bytes, size_t Offset, const TScoreEntry& Entry) {
    const std::string Name = Entry.Name.substr(0, THighScores::NameCapacity);
    Bytes[Offset] = static_cast<uint8_t>(Name.size());
    std::copy(Name.begin(), Name.end(), Bytes.begin() + static_cast<std::ptrdiff_t>(Offset) + 1);
    const uint32_t Value = static_cast<uint32_t>(Entry.Value);
    for (size_t I = 0; I < 4; ++I)
        Bytes[Offset + THighScores::NameCapacity + 1 + I] = static_cast<uint8_t>(Value >> (8 * I));
}

TScoreEntry GetEntry(const std::vector<uint8_t>& Bytes, size_t Offset) {
    TScoreEntry Entry;
    // A length above the capacity can only come from a damaged file; the name is cut rather than lost.
    const size_t Length = std::min<size_t>(Bytes[Offset], THighScores::NameCapacity);
    Entry.Name.assign(reinterpret_cast<const char*>(&Bytes[Offset + 1]), Length);
    const size_t At = Offset + THighScores::NameCapacity + 1;
    Entry.Value = static_cast<int32_t>(uint32_t(Bytes[At]) | uint32_t(Bytes[At + 1]) << 8 |
                                       uint32_t(Bytes[At + 2]) << 16 | uint32_t(Bytes[At + 3]) << 24);
    return Entry;
}

} // namespace

THighScores::THighScores(TEngine& Engine)
    : Times(DefaultTable()), Kills(DefaultTable()),
      HighScoreOK(Engine, "msCREDITS_OK", GameText.msHIGHSCORE_OK, 512, 650, EntryColour, HoverColour, 1, 1,
                  "button", 94, 9, 0, 1, 25, 17, 188, 25),
      Engine(Engine) {}

std::string THighScores::FilePath() {
    return Folders.HighScoreFile();
}

THighScores::TTable THighScores::DefaultTable() {
    TTable Table;
    for (TScoreEntry& Entry : Table)
        Entry = {"Kestrune", 0};
    return Table;
}

std::vector<uint8_t> THighScores::Encode(const TTable& Times, const TTable& Kills) {
    std::vector<uint8_t> Bytes(FileSize, 0);
    for (size_t Rank = 0; Rank < Ranks; ++Rank) {
        PutEntry(Bytes, Rank * RecordSize, Times[Rank]);
        PutEntry(Bytes, Rank * RecordSize + KillOffset, Kills[Rank]);
    }
    return Bytes;
}

bool THighScores::Decode(const std::vector<uint8_t>& Bytes, TTable& Times, TTable& Kills) {
    if (Bytes.size() < FileSize)
        return false;
    for (size_t Rank = 0; Rank < Ranks; ++Rank) {
        Times[Rank] = GetEntry(Bytes, Rank * RecordSize);
        Kills[Rank] = GetEntry(Bytes, Rank * RecordSize + KillOffset);
    }
    return true;
}

void THighScores::LoadHighScores() {
    const std::string Path = FilePath();
    if (!TFile::Exists(Path))
        return;
    std::vector<uint8_t> Bytes;
    // Saving at shutdown would overwrite a damaged file with these tables, so it is kept aside first.
    if (!TZlibStream::ReadFile(Path, Bytes) || !Decode(Bytes, Times, Kills))
        TSaveFile::KeepDamaged(Path, "The high-score tables start afresh.");
}

bool THighScores::SaveHighScores() const {
    return WriteTables(Times, Kills);
}

bool THighScores::WriteTables(const TTable& Times, const TTable& Kills) {
    return TSaveFile::Packed(FilePath(), Encode(Times, Kills), BestLevel);
}

void THighScores::Insert(TTable& Table, const std::string& Name, int Value) {
    const auto Rank = std::find_if(Table.begin(), Table.end(),
                                   [Value](const TScoreEntry& Entry) { return Entry.Value <= Value; });
    if (Rank == Table.end())
        return;
    std::move_backward(Rank, Table.end() - 1, Table.end());
    *Rank = {Name.substr(0, NameCapacity), Value};
}

void THighScores::AddHighScore(int Time, int KillCount) {
    Insert(Times, Profile.Name, Time);
    Insert(Kills, Profile.Name, KillCount);
}

void THighScores::Run() {
    Engine.DrawText(GameText.msMAIN_HighScore, 512, 50, 1, 0, HeadColour, 3);
    Engine.DrawText(GameText.msHIGHSCORE_Time, 60, 120, 0, 0, HeadColour, 2);
    Engine.DrawText(GameText.msHIGHSCORE_Death, 964, 120, 2, 0, HeadColour, 2);
    HighScoreOK.Run();

    TVelaFontAlt* Font = Engine.Fonts.Font(0);
    for (int Rank = 0; Rank < Ranks; ++Rank) {
        const int Y = 180 + 42 * Rank;
        const std::string Number = std::to_string(Rank + 1) + ".";
        // Ranks and names are drawn by the font itself, straight to the target.
        Engine.Canvas.Flush();
        if (Font != nullptr) {
            Font->TextOut(Number, 60, Y, HeadColour);
            Font->TextOut(Times[Rank].Name, 100, Y, EntryColour);
        }
        THud::RenderTimeBack(0, THud::GetFormatTime(Times[Rank].Value), 500, Y, EntryColour);
        Engine.Canvas.Flush();
        if (Font != nullptr) {
            Font->TextOut(Number, 524, Y, HeadColour);
            Font->TextOut(Kills[Rank].Name, 564, Y, EntryColour);
        }
        Engine.DrawText(std::to_string(Kills[Rank].Value), 964, Y, 2, 0, EntryColour, 0);
    }

    // Its one button is both the way back and the default.
    if ((TMenuKeys::Back(Engine.Keyboard) || TMenuKeys::Confirm(Engine.Keyboard)) && Engine.OnWidgetClick)
        Engine.OnWidgetClick("msCREDITS_OK");
}
