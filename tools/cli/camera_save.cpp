#include "camera_save.h"

#include "change_refusal.h"
#include "device/core/adapter_choice.h"
#include "device/core/camera_detail_text.h"
#include "device/core/login_check.h"
#include "device/core/saved_settings.h"
#include "interrupt_watch.h"
#include "pages/core/setting_rules.h"
#include "platform/core/clock.h"
#include "platform/net/network_adapters.h"
#include "save_progress_line.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>

namespace {

// The login dialog's check: its edits take at most the variant's widths, so a longer entry
// cannot be what the camera expects.
bool LoginMatches(const CliOptions& row, const CameraRecord& camera)
{
    const LoginLimits limits = LoginLimitsFor(camera.AnsweredCommand());
    const std::u16string name = QString::fromStdString(*row.login).toStdU16String();
    const std::u16string password = QString::fromStdString(*row.password).toStdU16String();
    if (name.size() > static_cast<size_t>(limits.nameChars) ||
        password.size() > static_cast<size_t>(limits.passwordChars))
        return false;
    const ExpectedLogin expected = ExpectedLoginOf(camera);
    return LoginAccepted(name, password, expected.name, expected.password);
}

SaveOutcome OutcomeOf(const ActionOutcome& outcome)
{
    if (outcome.Saved())
        return SaveOutcome::Saved;
    switch (outcome.saveResult) {
    case CameraActions::SaveResult::Refused:
        return SaveOutcome::Refused;
    case CameraActions::SaveResult::NotOpened:
        return SaveOutcome::NotSent;
    case CameraActions::SaveResult::StoppedNotSaved:
        return SaveOutcome::StoppedNotSaved;
    case CameraActions::SaveResult::StoppedUnconfirmed:
        return SaveOutcome::StoppedUnconfirmed;
    default:
        return SaveOutcome::NoAnswer;
    }
}

const char* OutcomeText(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        return "saved";
    case SaveOutcome::Refused:
        return "refused";
    case SaveOutcome::NoAnswer:
        return "no answer";
    case SaveOutcome::NotFound:
        return "not found";
    case SaveOutcome::LoginWrong:
        return "login wrong";
    case SaveOutcome::InvalidValue:
        return "invalid value";
    case SaveOutcome::NotSent:
        return "not sent";
    case SaveOutcome::Skipped:
        return "skipped";
    case SaveOutcome::StoppedNotSaved:
        return "stopped, not saved";
    case SaveOutcome::StoppedUnconfirmed:
        return "stopped, not confirmed: search again to see";
    }
    return "";
}

const char* VerifyName(VerifyState state)
{
    switch (state) {
    case VerifyState::Answered:
        return "answered";
    case VerifyState::Silent:
        return "no answer";
    case VerifyState::Unreachable:
        return "unreachable";
    case VerifyState::NotChecked:
        break;
    }
    return "";
}

// The addresses given for the camera behind a router: the row's own and the command's.
std::vector<std::string> FollowUpTargets(const CliSession& session, const CliOptions& row)
{
    std::vector<std::string> targets = row.to;
    targets.insert(targets.end(), session.options.to.begin(), session.options.to.end());
    return targets;
}

// --clock now: this computer's local date and time, which the save carries forward to the
// moment each request goes out, as it carries a camera's own clock.
void SetClockNow(CameraRecord& camera)
{
    const LocalDateTime now = Now();
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", now.month, now.day, now.year);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    camera.info.Set(DeviceInfo::date, date);
    camera.info.Set(DeviceInfo::time, time);
    camera.clock = FoundClock::Of(camera.info, std::chrono::steady_clock::now());
}

std::string Seconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    return text;
}

} // namespace

PreparedSave PrepareSave(const FoundCameraList& found, const CliOptions& row)
{
    PreparedSave prepared;
    CameraSave& save = prepared.save;
    save.mac = row.mac;
    const CameraRecord* record = FindCamera(found, row.mac);
    if (record == nullptr)
        return prepared;
    prepared.before = record->info;
    CameraRecord camera = *record;
    const std::string error = ChangeRefusal(row, &camera.info);
    if (error.empty()) {
        row.change.Apply(camera.info);
        if (row.clockNow)
            SetClockNow(camera);
        save.fixedAddress = UsesFixedAddress(camera.info);
        save.address = camera.info.Get(DeviceInfo::ipAddress);
        save.answeredFrom = camera.identity.Get(CameraIdentity::ipAddress);
        prepared.camera = std::move(camera);
    }
    if (!LoginMatches(row, *record)) {
        save.outcome = SaveOutcome::LoginWrong;
    } else if (!error.empty()) {
        save.outcome = SaveOutcome::InvalidValue;
        save.detail = error;
    } else {
        prepared.send = true;
    }
    return prepared;
}

CameraSave SaveCamera(CliSession& session, const CliOptions& row)
{
    PreparedSave prepared = PrepareSave(session.action.Found(), row);
    CameraSave save = prepared.save;
    if (!prepared.send)
        return save;
    const DeviceInfo& before = prepared.before;
    const CameraRecord& camera = *prepared.camera;
    ActionOutcome outcome;
    {
        const SaveProgressLine progress(session.action, row.mac);
        const InterruptWatch interrupt([&session] {
            session.stopped = true;
            session.action.StopSave();
        });
        outcome = session.runner.Save(camera, session.waitLimitMs,
                                      SaveFollowUp{before, FollowUpTargets(session, row)});
    }
    save.outcome = OutcomeOf(outcome);
    save.byAddress = session.action.SavedByAddress();
    save.acknowledgementLost = outcome.saveResult == CameraActions::SaveResult::AcknowledgementLost;
    return save;
}

std::string VerifySaves(CliSession& session, std::vector<CameraSave>& saves)
{
    const auto adapters = ListNetworkAdapters();
    const auto interfaces = SearchInterfaces(adapters.value_or(std::vector<NetworkAdapter>{}));
    std::vector<std::string> wanted;
    std::vector<std::string> ask;
    for (CameraSave& save : saves) {
        if (save.outcome != SaveOutcome::Saved)
            continue;
        if (save.byAddress) {
            ask.push_back(camera_text::DottedQuad(save.answeredFrom));
            if (save.fixedAddress)
                ask.push_back(camera_text::DottedQuad(save.address));
        } else if (save.fixedAddress && adapters && OutsideEveryNetwork(interfaces, save.address)) {
            save.verify = VerifyState::Unreachable;
            continue;
        }
        wanted.push_back(save.mac);
    }
    if (wanted.empty())
        return {};
    session.AskAlso(ask);
    if (std::string error = session.Search(wanted); !error.empty())
        return error;
    const std::set<std::string> asked(wanted.begin(), wanted.end());
    for (CameraSave& save : saves) {
        if (asked.count(save.mac) == 0)
            continue;
        const CameraRecord* camera = session.Find(save.mac);
        save.verify = camera != nullptr ? VerifyState::Answered : VerifyState::Silent;
        if (camera != nullptr)
            save.answeredAt = camera_text::DottedQuad(camera->info.Get(DeviceInfo::ipAddress));
    }
    return {};
}

bool Succeeded(const CameraSave& save)
{
    return save.outcome == SaveOutcome::Saved && save.verify != VerifyState::Silent;
}

std::string FailureLine(const CameraSave& save)
{
    switch (save.outcome) {
    case SaveOutcome::Saved:
        return {};
    case SaveOutcome::NotFound:
        return "camera " + save.mac + " not found";
    case SaveOutcome::LoginWrong:
        return "wrong login name or password for camera " + save.mac;
    case SaveOutcome::InvalidValue:
        return "invalid value: " + save.detail;
    case SaveOutcome::Refused:
        return "camera " + save.mac + " refused the settings";
    case SaveOutcome::NoAnswer:
        return "no answer from camera " + save.mac;
    case SaveOutcome::NotSent:
        return "cannot open a socket for the save";
    case SaveOutcome::Skipped:
        return "camera " + save.mac + " skipped: " + save.detail;
    case SaveOutcome::StoppedNotSaved:
        return "the save of camera " + save.mac + " was stopped; the camera does not hold the settings";
    case SaveOutcome::StoppedUnconfirmed:
        return "the save of camera " + save.mac + " was stopped; whether it took the settings is not known";
    }
    return {};
}

std::string VerifyText(const CameraSave& save)
{
    switch (save.verify) {
    case VerifyState::Answered:
        return "answers at " + save.answeredAt;
    case VerifyState::Silent:
        return "did not answer again";
    case VerifyState::Unreachable:
        return "saved but unreachable (" + camera_text::DottedQuad(save.address) +
               " is outside every interface's network)";
    case VerifyState::NotChecked:
        break;
    }
    return {};
}

CameraSave SkippedSave(const std::string& mac, const Ipv4Address& address, const std::string& holder)
{
    CameraSave save;
    save.mac = mac;
    save.outcome = SaveOutcome::Skipped;
    save.detail = camera_text::DottedQuad(address) + " is still used by " + holder;
    return save;
}

CameraSave StoppedBeforeItsTurn(const std::string& mac)
{
    CameraSave save;
    save.mac = mac;
    save.outcome = SaveOutcome::Skipped;
    save.detail = "the batch was stopped before its turn";
    return save;
}

std::string ResultText(const CameraSave& save)
{
    if (save.outcome == SaveOutcome::Skipped)
        return std::string(OutcomeText(save.outcome)) + " (" + save.detail + ")";
    return save.acknowledgementLost ? std::string(OutcomeText(save.outcome)) + kAcknowledgementLost
                                    : OutcomeText(save.outcome);
}

std::string ResultLine(const CameraSave& save)
{
    std::string line = save.mac + "\t" + ResultText(save) + "\t" + Seconds(save.seconds);
    if (save.outcome == SaveOutcome::InvalidValue)
        line += "\t" + save.detail;
    else if (save.verify != VerifyState::NotChecked)
        line += "\t" + VerifyText(save);
    return line;
}

std::string ResultJson(const CameraSave& save)
{
    QJsonObject object{{"mac", QString::fromStdString(save.mac)},
                       {"result", OutcomeText(save.outcome)},
                       {"seconds", std::round(save.seconds * 100) / 100}};
    if (save.acknowledgementLost)
        object.insert("acknowledgementLost", true);
    if (save.outcome == SaveOutcome::InvalidValue || save.outcome == SaveOutcome::Skipped)
        object.insert("detail", QString::fromStdString(save.detail));
    if (!Succeeded(save))
        object.insert("error", QString::fromStdString(save.outcome == SaveOutcome::Saved
                                                          ? save.mac + " " + VerifyText(save)
                                                          : FailureLine(save)));
    if (save.verify != VerifyState::NotChecked) {
        object.insert("verify", VerifyName(save.verify));
        if (!save.answeredAt.empty())
            object.insert("address", QString::fromStdString(save.answeredAt));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string ErrorJson(const std::string& message)
{
    const QJsonObject object{{"error", QString::fromStdString(message)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

int ExitStatusOf(const std::vector<CameraSave>& saves)
{
    if (std::all_of(saves.begin(), saves.end(), Succeeded))
        return kExitOk;
    const bool refusedUnsent = std::all_of(saves.begin(), saves.end(), [](const CameraSave& save) {
        return save.outcome == SaveOutcome::InvalidValue || save.outcome == SaveOutcome::LoginWrong;
    });
    return refusedUnsent ? kExitUsage : kExitFailed;
}
