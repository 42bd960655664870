// camtivo-cli: searches for cameras and writes settings to one of them from the command line,
// on the same engine as the wizard, on Qt Core alone: it needs no display and no window system.
#include "camera_save.h"
#include "camtivo_version.h"
#include "cli_commands.h"
#include "cli_options.h"
#include "platform/events/message_box_hook.h"
#include "platform/net/program_arguments.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Boxes the engine would show become one line on standard error.
int PrintBox(const MessageBoxRequest& request)
{
    const QString text = request.text.simplified();
    std::fprintf(stderr, "camtivo-cli: %s\n", text.toLocal8Bit().constData());
    return IDOK;
}

// Qt's own notices would break the promise of one error line; only serious ones are let through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "camtivo-cli: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    const CliParse parse = ParseCliOptions(args, &ReadSecrets);
    if (!parse.options) {
        std::fprintf(stderr, "camtivo-cli: %s\n", parse.error.c_str());
        // A program that asked for JSON reads the refusal as JSON too.
        if (std::find(args.begin(), args.end(), "--json") != args.end())
            std::printf("%s\n", ErrorJson(parse.error).c_str());
        return kExitUsage;
    }
    if (parse.options->command == CliCommand::Help) {
        std::fputs(CliUsage(), stdout);
        std::fputs(kWirelessUsage, stdout);
        std::fputs(kSecretUsage, stdout);
        std::fputs(CliHelpEnd(), stdout);
        return kExitOk;
    }
    if (parse.options->command == CliCommand::TimeZones)
        return RunTimeZonesCommand(*parse.options);
    if (parse.options->command == CliCommand::Version) {
        std::printf("camtivo-cli %s\n", kCamtivoVersion);
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
