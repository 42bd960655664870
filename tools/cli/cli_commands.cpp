#include "cli_commands.h"

#include "camera_format.h"
#include "device/action_dlg.h"
#include "device/action_runner.h"
#include "device/core/camera_detail_text.h"
#include "device/core/login_check.h"
#include "diagnosis_format.h"
#include "platform/core/socket_errors.h"
#include "platform/core/time_scale.h"
#include "settings_change.h"
#include "settings_check.h"

#include <QString>
#include <cstdio>

namespace {

// The search runs 20 seconds at scale 1; --seconds scales every timer of the action.
constexpr double kSearchSeconds = 20.0;
// Real-time bound on any one action: a save's four minutes, scaled, with room to spare.
constexpr double kLongestActionSeconds = 300.0;

int Fail(const std::string& message, int status = kExitFailed)
{
    std::fprintf(stderr, "camtivo-cli: %s\n", message.c_str());
    return status;
}

struct Session
{
    explicit Session(const CliOptions& options) : runner(action)
    {
        TimeScale::SetFactor(options.seconds / kSearchSeconds);
        action.SetAllowedTypes(options.allProduct ? DeviceTypeFilter{} : DeviceTypeFilter{true, {17, 18}});
        action.SetUnicastTargets(options.to);
        waitLimitMs = static_cast<int64_t>(kLongestActionSeconds * 1000 * TimeScale::Factor()) + 5000;
    }

    // Runs the search; empty when it ran to its end, otherwise the error line.
    std::string Search()
    {
        const ActionOutcome outcome = runner.Search(waitLimitMs);
        if (!outcome.started)
            return "the search could not start";
        if (outcome.code == NOTIFY_SEND_ERROR)
            return "cannot send the search: " + SocketErrorText(static_cast<int>(outcome.value)) +
                   " (socket error " + std::to_string(outcome.value) + ")";
        if (outcome.code != NOTIFY_SEARCH_DONE)
            return "the search did not end";
        return {};
    }

    CActionDlg action;
    CActionRunner runner;
    int64_t waitLimitMs = 0;
};

const CCameraDataObj* FindCamera(const FoundCameraList& found, const std::string& mac)
{
    for (const CCameraDataObj* camera : found.Records()) {
        if (camera_text::MacText(camera->info.Get(DeviceInfo::macAddress)) == mac)
            return camera;
    }
    return nullptr;
}

// The login dialog's check: its edits take at most the variant's widths, so a longer entry
// cannot be what the camera expects.
bool LoginMatches(const CliOptions& options, const CCameraDataObj& camera)
{
    const LoginLimits limits = LoginLimitsFor(camera.AnsweredCommand());
    const std::u16string name = QString::fromStdString(*options.login).toStdU16String();
    const std::u16string password = QString::fromStdString(*options.password).toStdU16String();
    if (name.size() > static_cast<size_t>(limits.nameChars) ||
        password.size() > static_cast<size_t>(limits.passwordChars))
        return false;
    const ExpectedLogin expected = ExpectedLoginOf(camera);
    return LoginAccepted(name, password, expected.name, expected.password);
}

} // namespace

int RunSearchCommand(const CliOptions& options)
{
    Session session(options);
    if (std::string error = session.Search(); !error.empty())
        return Fail(error);
    const FoundCameraList& found = session.action.Found();
    const SearchDiagnosis& diagnosis = session.action.Diagnosis();
    if (options.json) {
        const std::string json = options.diagnose ? DiagnosisJson(found, diagnosis) : CamerasJson(found);
        std::fputs(json.c_str(), stdout);
        return kExitOk;
    }
    if (options.csv) {
        std::fputs(CamerasCsv(found).c_str(), stdout);
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
    if (std::string error = CheckSettingsValues(options); !error.empty())
        return Fail(error, kExitUsage);
    Session session(options);
    if (std::string error = session.Search(); !error.empty())
        return Fail(error);
    const CCameraDataObj* found = FindCamera(session.action.Found(), options.mac);
    if (found == nullptr)
        return Fail("camera " + options.mac + " not found");
    if (!LoginMatches(options, *found))
        return Fail("wrong login name or password for camera " + options.mac);
    CCameraDataObj camera = *found;
    if (std::string error = ApplySettingsChange(options, camera); !error.empty())
        return Fail("invalid value: " + error);

    const ActionOutcome outcome = session.runner.Save(camera, session.waitLimitMs);
    if (outcome.code == NOTIFY_SAVE_OK) {
        std::printf("saved %s\n", options.mac.c_str());
        return kExitOk;
    }
    switch (session.action.LastSaveResult()) {
    case CActionDlg::SaveResult::Refused:
        return Fail("camera " + options.mac + " refused the settings");
    case CActionDlg::SaveResult::NoAnswer:
        return Fail("no answer from camera " + options.mac);
    case CActionDlg::SaveResult::NotOpened:
        return Fail("cannot open a socket for the save");
    default:
        return Fail("the save did not end");
    }
}
