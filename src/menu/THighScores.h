#pragma once

#include "engine/TEngineAnimButtonEx.h"
#include "menu/TScoreEntry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TEngine;

// The installation's two tables of the ten best endless-mode results, longest survival and most kills,
// best first; Text\highscore.hsf keeps them between runs, and the HIGHSCORE screen shows them.
class THighScores {
  public:
    static constexpr int Ranks = 10;
    static constexpr size_t NameCapacity = 20;
    static constexpr size_t RecordSize = 50;
    static constexpr size_t FileSize = Ranks * RecordSize;
    using TTable = std::array<TScoreEntry, Ranks>;

    explicit THighScores(TEngine& Engine);

    // A file that cannot be read is copied aside as highscore.hsf.bad and the tables stay as they are.
    void LoadHighScores();
    // False, after a message box naming the file, when it could not be written.
    bool SaveHighScores() const;
    // Enters the active profile's result into each table it makes.
    void AddHighScore(int Time, int KillCount);
    // The HIGHSCORE screen; once per frame.
    void Run();

    static std::string FilePath();
    // A fresh installation's tables: "Kestrune" with 0 on every rank.
    static TTable DefaultTable();
    // The decompressed file: ten records of the time entry then the kill entry of one rank.
    static std::vector<uint8_t> Encode(const TTable& Times, const TTable& Kills);
    // Writes the file from these tables, as SaveHighScores does.
    static bool WriteTables(const TTable& Times, const TTable& Kills);
    // False (tables untouched) when Bytes are fewer than the file's ten records.
    static bool Decode(const std::vector<uint8_t>& Bytes, TTable& Times, TTable& Kills);
    // Puts Value in at its rank, above any equal older result; nothing when all ten are better.
    static void Insert(TTable& Table, const std::string& Name, int Value);

    TTable Times, Kills;
    TEngineAnimButtonEx HighScoreOK;

  private:
    TEngine& Engine;
};
