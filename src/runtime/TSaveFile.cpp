#include "runtime/TSaveFile.h"

#include "runtime/TFile.h"
#include "runtime/TIniFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TZlibStream.h"

#include <set>

namespace {
// Files whose last save failed and was reported: a file that keeps failing is reported once, not at
// every save of the session, until it saves again.
std::set<std::string> Failing;

bool Saved(const std::string& Path) {
    Failing.erase(Path);
    return true;
}
} // namespace

bool TSaveFile::Packed(const std::string& Path, const std::vector<uint8_t>& Bytes, int Level) {
    std::string Error;
    if (TZlibStream::WriteFile(Path, Bytes.data(), Bytes.size(), Level, &Error))
        return Saved(Path);
    Report(Path, Error);
    return false;
}

bool TSaveFile::Update(TIniFile& File) {
    if (File.EndUpdate())
        return Saved(File.FileName());
    Report(File.FileName(), File.LastError());
    return false;
}

void TSaveFile::Report(const std::string& Path, const std::string& Reason) {
    // An empty path means the game has no folder to save into, which the player was told at start.
    if (Path.empty() || !Failing.insert(Path).second)
        return;
    TMessageBox::Show("Zerathon",
                      "Could not save " + Path + " (" + Reason + "); the file on disk is unchanged.", true);
}

std::string TSaveFile::KeepDamaged(const std::string& Path, const std::string& Then) {
    const std::string Copy = SetAside(Path);
    static std::set<std::string> Reported;
    if (Reported.insert(Path).second)
        TMessageBox::Show(
            "Zerathon",
            Path + " is damaged and could not be read. " +
                (Copy.empty() ? "It could not be copied aside either. " : "It is kept as " + Copy + ". ") +
                Then,
            true);
    return Copy;
}

std::string TSaveFile::SetAside(const std::string& Path) {
    std::vector<uint8_t> Damaged;
    if (!TFile::ReadAll(Path, Damaged))
        return "";
    for (int Number = 0;; ++Number) {
        const std::string Copy = Path + (Number == 0 ? "" : "." + std::to_string(Number)) + ".bad";
        if (!TFile::Exists(Copy))
            return TFile::WriteAtomic(Copy, Damaged.data(), Damaged.size()) ? Copy : "";
        std::vector<uint8_t> Kept;
        // The same damaged file met at every start is kept once.
        if (TFile::ReadAll(Copy, Kept) && Kept == Damaged)
            return Copy;
    }
}
