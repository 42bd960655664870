// camtivo-cli: searches for cameras and writes settings to one of them from the command line,
// on the same engine as the wizard, on Qt Core alone: it needs no display and no window system.
#include "camera_save.h"
#include "camtivo_version.h"
#include "cli_commands.h"
#include "cli_options.h"
#include "output_text.h"
#include "platform/events/message_box_hook.h"
#include "platform/net/program_arguments.h"

#include <QCoreApplication>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// Boxes the engine would show become one line on standard error.
int PrintBox(const MessageBoxRequest& request)
{
    const QString text = request.text.simplified();
    PrintNotice(text.toStdString());
    return IDOK;
}

// Qt's own notices would break the promise of one error line; only serious ones are let through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        PrintNotice(message.toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    const CliParse parse = ParseCliOptions(args, &ReadSecrets);
    if (!parse.options) {
        PrintNotice(parse.error);
        // A program that asked for JSON reads the refusal as JSON too.
        if (std::find(args.begin(), args.end(), "--json") != args.end())
            PrintText(ErrorJson(parse.error) + "\n");
        return kExitUsage;
    }
    if (parse.options->command == CliCommand::Help) {
        PrintText(std::string(CliUsage()) + kWirelessUsage + kSecretUsage + CliHelpEnd());
        return kExitOk;
    }
    if (parse.options->command == CliCommand::TimeZones)
        return RunTimeZonesCommand(*parse.options);
    if (parse.options->command == CliCommand::Version) {
        PrintText(std::string("camtivo-cli ") + kCamtivoVersion + "\n");
        return kExitOk;
    }
    qInstallMessageHandler(&QuietQtMessages);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("camtivo-cli");
    SetMessageBoxHook(&PrintBox);
    const CliOptions& options = *parse.options;
    if (options.command == CliCommand::Search)
        return RunSearchCommand(options);
    if (!options.batch.empty())
        WarnIfOthersCanRead(options.batch);
    return options.batch.empty() ? RunSaveCommand(options) : RunBatchCommand(options);
}
