#pragma once
// Saving one camera found by the session's search, as the wizard would (the login check against
// the camera's reported login, the pages' rules, the save with its retries), and the verifying
// search afterwards. Each camera's result is one line of text or one JSON object.
#include "cli_options.h"
#include "cli_session.h"
#include "device/core/fixed_layout.h"

#include <optional>
#include <string>
#include <vector>

// Follows "saved" when the camera's answers to a save were lost.
inline constexpr char kAcknowledgementLost[] = " (its acknowledgement was lost)";

enum class SaveOutcome
{
    Saved,
    Refused,           // the camera answered with a non-zero status
    NoAnswer,          // every set request went unanswered
    NotFound,          // the camera did not answer the search
    LoginWrong,        // the login does not match what the camera reported; nothing was sent
    InvalidValue,      // a value is wrong for this camera (an address for a DHCP camera); nothing sent
    NotSent,           // no socket could be opened for the save
    Skipped,           // the address it was to take is still used by a camera whose save failed, or
                       // the batch was stopped before its turn
    StoppedNotSaved,   // Ctrl+C; asked once more, the camera answered without the settings
    StoppedUnconfirmed // Ctrl+C; the camera did not answer, or its answer cannot tell
};

enum class VerifyState
{
    NotChecked,
    Answered,   // it answered the verifying search
    Silent,     // it did not
    Unreachable // it took a fixed address outside every interface's network
};

struct CameraSave
{
    std::string mac;
    SaveOutcome outcome = SaveOutcome::NotFound;
    double seconds = 0; // from the command's start to the camera's result
    std::string detail; // what is wrong with a value, for InvalidValue; why, for Skipped
    bool fixedAddress = false;
    Ipv4Address address{};      // the fixed address written, for the reachability check
    Ipv4Address answeredFrom{}; // where the camera answered the search
    bool byAddress = false;     // saved by its address: a camera behind a router
    // Saved, but the camera's answers were lost: asked again, it held the new settings.
    bool acknowledgementLost = false;
    VerifyState verify = VerifyState::NotChecked;
    std::string answeredAt; // the address the camera answered the verifying search from
};

// A row's save before anything is sent: the login and the values checked against the camera's
// found record, and the record as the save would leave it.
struct PreparedSave
{
    CameraSave save;   // its result when it is not sent
    bool send = false; // found, the login matches and the values apply
    // The record with the row's settings applied, whenever it was found and the values apply
    // (also when the login is wrong: where the camera would have gone).
    std::optional<CameraRecord> camera;
    DeviceInfo before{}; // the found record's settings
};

PreparedSave PrepareSave(const FoundCameraList& found, const CliOptions& row);
// Saves the camera `row.mac` with the row's login and settings.
CameraSave SaveCamera(CliSession& session, const CliOptions& row);
// The result of a row left unsent because the camera holding `address` did not move away.
CameraSave SkippedSave(const std::string& mac, const Ipv4Address& address, const std::string& holder);
// The result of a row a stopped batch did not come to: nothing was sent to its camera.
CameraSave StoppedBeforeItsTurn(const std::string& mac);
// Searches once more for every saved camera that can still be reached and records the answers.
// A camera behind a router is asked at the address it answered from and at its new fixed one.
std::string VerifySaves(CliSession& session, std::vector<CameraSave>& saves);

// Whether the camera saved (and, when verified, answered again or cannot be reached from here).
bool Succeeded(const CameraSave& save);
// The single save's own error line ("camera ... not found"); empty when it saved.
std::string FailureLine(const CameraSave& save);
// "answers at 10.77.0.2", "did not answer again", "saved but unreachable (...)".
std::string VerifyText(const CameraSave& save);
// "saved", "no answer", ...; "saved (its acknowledgement was lost)" when it was.
std::string ResultText(const CameraSave& save);
// Tab-separated: MAC, result, seconds, and the verification when there was one.
std::string ResultLine(const CameraSave& save);
// One line of JSON: mac, result, seconds, the error line of a failure, and verify and address
// when verified.
std::string ResultJson(const CameraSave& save);
// One line of JSON for an error that no camera's result holds: {"error": message}.
std::string ErrorJson(const std::string& message);
// 0 when every camera saved; 2 when none was sent because a value, the login or a rule refused
// it; 1 otherwise (sent and failed, not found, skipped).
int ExitStatusOf(const std::vector<CameraSave>& saves);
