#include "cli_commands.h"

#include "address_check.h"
#include "batch_rows.h"
#include "camera_format.h"
#include "camera_save.h"
#include "change_refusal.h"
#include "cli_session.h"
#include "diagnosis_format.h"

#include <algorithm>
#include <cstdio>

namespace {

int Fail(const std::string& message, int status = kExitFailed)
{
    std::fprintf(stderr, "camtivo-cli: %s\n", message.c_str());
    return status;
}

void PrintResult(const CameraSave& save, bool json)
{
    std::printf("%s\n", (json ? ResultJson(save) : ResultLine(save)).c_str());
    std::fflush(stdout);
}

} // namespace

int RunSearchCommand(const CliOptions& options)
{
    CliSession session(options);
    if (std::string error = session.Search(); !error.empty())
        return Fail(error);
    const FoundCameraList& found = session.action.Found();
    const SearchDiagnosis& diagnosis = session.action.Diagnosis();
    const TextSink toStdout = [](const std::string& text) { std::fputs(text.c_str(), stdout); };
    if (options.json && options.diagnose) {
        toStdout(DiagnosisJson(found, diagnosis));
        return kExitOk;
    }
    if (options.json) {
        WriteCamerasJson(found, toStdout);
        return kExitOk;
    }
    if (options.csv) {
        WriteCamerasCsv(found, toStdout);
        return kExitOk;
    }
    for (const CCameraDataObj* camera : found.Records())
        std::printf("%s\n", CameraLine(*camera).c_str());
    if (options.diagnose)
        std::printf("%s%s", found.IsEmpty() ? "" : "\n", DiagnosisText(diagnosis).c_str());
    if (found.IsEmpty())
        std::fprintf(stderr, "camtivo-cli: no camera answered\n");
    return kExitOk;
}

int RunSaveCommand(const CliOptions& options)
{
    if (std::string error = ChangeRefusal(options); !error.empty())
        return Fail("invalid value: " + error, kExitUsage);
    CliSession session(options);
    if (std::string error = session.Search({options.mac}); !error.empty())
        return Fail(error);
    const auto noPlace = [](size_t) { return std::string(); };
    if (std::string clash = CheckAddressClashes(session, {options}, noPlace); !clash.empty())
        return Fail(clash, kExitUsage);
    std::vector<CameraSave> saves{SaveCamera(session, options)};
    const CameraSave& save = saves.front();
    if (save.outcome != SaveOutcome::Saved) {
        if (options.json)
            PrintResult(save, true);
        return Fail(FailureLine(save));
    }
    if (!options.json)
        std::printf("saved %s%s\n", save.mac.c_str(), save.acknowledgementLost ? kAcknowledgementLost : "");
    const std::string verifyError = options.verify ? VerifySaves(session, saves) : std::string();
    if (options.json)
        PrintResult(save, true);
    if (!verifyError.empty())
        return Fail("saved, but the verifying search failed: " + verifyError);
    if (save.verify != VerifyState::NotChecked && !options.json)
        std::printf("%s %s\n", save.mac.c_str(), VerifyText(save).c_str());
    return Succeeded(save) ? kExitOk : kExitFailed;
}

int RunBatchCommand(const CliOptions& options)
{
    const BatchRows rows = ReadBatchRows(options.batch);
    if (!rows.error.empty())
        return Fail(rows.error, kExitUsage);
    std::vector<std::string> macs;
    std::vector<std::string> addresses; // the rows' cameras behind a router
    for (const CliOptions& row : rows.cameras) {
        macs.push_back(row.mac);
        addresses.insert(addresses.end(), row.to.begin(), row.to.end());
    }
    CliSession session(options);
    session.AskAlso(addresses);
    if (std::string error = session.Search(macs); !error.empty())
        return Fail(error);
    const auto line = [&](size_t i) {
        return options.batch + " line " + std::to_string(rows.lines[i]) + ": ";
    };
    if (std::string clash = CheckAddressClashes(session, rows.cameras, line); !clash.empty())
        return Fail(clash, kExitUsage);
    std::vector<CameraSave> saves;
    for (const CliOptions& row : rows.cameras) {
        saves.push_back(SaveCamera(session, row));
        if (!options.verify)
            PrintResult(saves.back(), options.json);
    }
    if (options.verify) {
        const std::string verifyError = VerifySaves(session, saves);
        for (const CameraSave& save : saves)
            PrintResult(save, options.json);
        if (!verifyError.empty())
            return Fail("the verifying search failed: " + verifyError);
    }
    return std::all_of(saves.begin(), saves.end(), Succeeded) ? kExitOk : kExitFailed;
}
