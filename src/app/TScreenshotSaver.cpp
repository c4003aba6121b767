#include "app/TScreenshotSaver.h"

#include "runtime/TFile.h"
#include "runtime/TPath.h"
#include "runtime/TPlatform.h"
#include "runtime/TPngEncoder.h"

std::string TScreenshotSaver::FreeName(const std::string& Folder, std::time_t When) {
    const std::tm Local = TPlatform::LocalTime(When);
    char Stamp[32];
    std::strftime(Stamp, sizeof Stamp, "zerathon-%Y%m%d-%H%M%S", &Local);
    std::string Path = TPath::Join(Folder, std::string(Stamp) + ".png");
    for (int Number = 2; TFile::Exists(Path); ++Number)
        Path = TPath::Join(Folder, std::string(Stamp) + "-" + std::to_string(Number) + ".png");
    return Path;
}

std::string TScreenshotSaver::Save(const TPicture& Frame, const std::string& Folder, std::time_t When,
                                   std::string& Error) {
    if (Folder.empty()) {
        Error = "there is no folder to save it in";
        return {};
    }
    if (!TFile::MakeDirectory(Folder)) {
        Error = "the folder " + Folder + " cannot be made";
        return {};
    }
    const std::string Path = FreeName(Folder, When);
    std::string Why;
    if (!TPngEncoder::Save(Path, Frame, &Why)) {
        Error = Path + " cannot be written" + (Why.empty() ? "" : ": " + Why);
        return {};
    }
    return Path;
}
