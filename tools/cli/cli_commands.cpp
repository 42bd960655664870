#include "cli_commands.h"

#include "batch_rows.h"
#include "camera_format.h"
#include "camera_save.h"
#include "change_refusal.h"
#include "cli/core/time_zones.h"
#include "cli_session.h"
#include "console_output.h"
#include "diagnosis_format.h"
#include "output_text.h"
#include "platform/net/network_adapters.h"
#include "save_plan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// One line on standard error; with --json also one object on standard output, so that a
// program reading the output learns of the failure too.
int Fail(const CliOptions& options, const std::string& message, int status = kExitFailed)
{
    PrintNotice(message);
    if (options.json) {
        PrintText(ErrorJson(message) + "\n");
        std::fflush(stdout);
    }
    return status;
}

// The camera's result, its seconds counted from the command's start.
void PrintResult(CameraSave save, const CliOptions& options)
{
    save.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - options.started).count();
    PrintText((options.json ? ResultJson(save) : ResultLine(save)) + "\n");
    std::fflush(stdout);
}

// A save that gives a fixed address waits for the cameras to go quiet, so that a late camera
// already holding that address is seen by the address check.
CliSession::SearchEnd SearchEndFor(const std::vector<CliOptions>& rows)
{
    const bool fixed = std::any_of(rows.begin(), rows.end(),
                                   [](const CliOptions& row) { return row.change.addresses[0].has_value(); });
    return fixed ? CliSession::SearchEnd::WhenQuiet : CliSession::SearchEnd::WhenWantedAnswered;
}

// A camera whose save a rule refused after the search (an address another camera holds).
CameraSave RefusedSave(const std::string& mac, const std::string& why)
{
    CameraSave save;
    save.mac = mac;
    save.outcome = SaveOutcome::InvalidValue;
    save.detail = why;
    return save;
}

// "lines 2 and 3", "lines 2, 5 and 9".
std::string LineList(const std::vector<int>& lines, const std::vector<size_t>& rows)
{
    std::string text = "lines ";
    for (size_t n = 0; n < rows.size(); ++n) {
        if (n > 0)
            text += n + 1 == rows.size() ? " and " : ", ";
        text += std::to_string(lines[rows[n]]);
    }
    return text;
}

} // namespace

int RunSearchCommand(const CliOptions& options)
{
    CliSession session(options);
    if (std::string error = session.Search(); !error.empty())
        return Fail(options, error);
    const FoundCameraList& found = session.action.Found();
    const SearchDiagnosis& diagnosis = session.action.Diagnosis();
    const TextSink toStdout = &PrintText;
    if (options.json && options.diagnose) {
        toStdout(DiagnosisJson(found, diagnosis));
        return kExitOk;
    }
    if (options.json) {
        WriteCamerasJson(found, toStdout);
        return kExitOk;
    }
    if (options.csv) {
        WriteStandardOutputAsIs();
        WriteCamerasCsv(found, toStdout);
        return kExitOk;
    }
    for (const CameraRecord* camera : found.Records())
        PrintText(CameraLine(*camera) + "\n");
    if (options.diagnose)
        PrintText((found.IsEmpty() ? "" : "\n") + DiagnosisText(diagnosis));
    if (found.IsEmpty())
        PrintNotice("no camera answered");
    return kExitOk;
}

int RunSaveCommand(const CliOptions& options)
{
    if (std::string error = ChangeRefusal(options); !error.empty())
        return Fail(options, "invalid value: " + error, kExitUsage);
    CliSession session(options);
    if (std::string error = session.Search({options.mac}, SearchEndFor({options})); !error.empty())
        return Fail(options, error);
    const SavePlan plan = PlanSaves(session.action.Found(), {options}, ListOwnAddresses());
    std::vector<CameraSave> saves{plan.status == PlanStatus::Ok ? SaveCamera(session, options)
                                                                : RefusedSave(options.mac, plan.clash)};
    const CameraSave& save = saves.front();
    if (save.outcome != SaveOutcome::Saved) {
        PrintNotice(FailureLine(save));
        if (options.json)
            PrintResult(save, options);
        return ExitStatusOf(saves);
    }
    if (!options.json)
        PrintText("saved " + save.mac + (save.acknowledgementLost ? kAcknowledgementLost : "") + "\n");
    const std::string verifyError = options.verify ? VerifySaves(session, saves) : std::string();
    if (options.json)
        PrintResult(save, options);
    if (!verifyError.empty())
        return Fail(options, "saved, but the verifying search failed: " + verifyError);
    if (save.verify != VerifyState::NotChecked && !options.json)
        PrintText(save.mac + " " + VerifyText(save) + "\n");
    return ExitStatusOf(saves);
}

int RunBatchCommand(const CliOptions& options)
{
    const BatchRows rows = ReadBatchRows(options.batch);
    if (!rows.error.empty())
        return Fail(options, rows.error, kExitUsage);
    std::vector<std::string> macs;
    std::vector<std::string> addresses; // the rows' cameras behind a router
    std::vector<NamedRange> ranges;
    std::vector<const std::vector<NamedRange>*> everyRange{&options.ranges};
    for (const CliOptions& row : rows.cameras) {
        macs.push_back(row.mac);
        addresses.insert(addresses.end(), row.to.begin(), row.to.end());
        ranges.insert(ranges.end(), row.ranges.begin(), row.ranges.end());
        everyRange.push_back(&row.ranges);
    }
    if (!SweepOf(everyRange))
        return Fail(options,
                    "the ranges of " + options.batch +
                        " and --to together hold more than 65,536 addresses (a /16), "
                        "the most one search asks",
                    kExitUsage);
    CliSession session(options);
    session.AskAlso(addresses);
    session.SweepAlso(ranges);
    if (std::string error = session.Search(macs, SearchEndFor(rows.cameras)); !error.empty())
        return Fail(options, error);
    const SavePlan plan = PlanSaves(session.action.Found(), rows.cameras, ListOwnAddresses());
    if (plan.status == PlanStatus::AddressInUse)
        return Fail(options,
                    options.batch + " line " + std::to_string(rows.lines[plan.culprits.front()]) + ": " +
                        plan.clash,
                    kExitUsage);
    if (plan.status == PlanStatus::Cycle)
        return Fail(options,
                    options.batch + " " + LineList(rows.lines, plan.culprits) +
                        " take each other's addresses: move one of these cameras to a free address first",
                    kExitUsage);
    const auto print = [&options](const CameraSave& save) {
        if (!options.verify)
            PrintResult(save, options);
    };
    std::vector<CameraSave> saves = RunSavePlan(session, rows.cameras, plan, print);
    if (options.verify) {
        const std::string verifyError = VerifySaves(session, saves);
        for (const CameraSave& save : saves)
            PrintResult(save, options);
        if (!verifyError.empty())
            return Fail(options, "the verifying search failed: " + verifyError);
    }
    return ExitStatusOf(saves);
}

int RunTimeZonesCommand(const CliOptions& options)
{
    const auto names = TimeZoneNames();
    QJsonArray zones;
    for (size_t index = 0; index < names.size(); ++index) {
        const std::string name(names[index]);
        if (options.json)
            zones.append(
                QJsonObject{{"index", static_cast<int>(index)}, {"name", QString::fromStdString(name)}});
        else
            PrintText(std::to_string(index) + "\t" + name + "\n");
    }
    if (options.json)
        PrintText(QJsonDocument(zones).toJson(QJsonDocument::Indented).toStdString());
    return kExitOk;
}
