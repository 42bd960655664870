#pragma once
// Starting the programs and documents shipped beside the wizard (utility installer, audio
// codec installer, dynamic-DNS tool, user guide, PDF-reader installer) and reporting why one
// could not be started. The main and success pages share these steps, each with its own texts.
#include <QString>
#include <functional>

class QObject;

// A page's texts for the launch messages, by role.
struct LaunchTexts
{
    QString yes;            // first caption of the questions
    QString ok;             // second caption of the questions, caption of the plain messages
    QString playerAddress;  // opened when the media-player question is answered with 2
    QString playerQuestion; // asked when media player 9 is installed
    QString installerNotFound;
    QString installerInvalid;
    QString toolNotFound;
    QString toolInvalid;
    QString guideNotFound;
    QString guideInvalid;
    QString readerQuestion; // no program is registered for the user guide
    QString readerNotFound;
    QString readerInvalid;
    QString otherFailure; // any other reason a program or document did not start
};

// Where the launcher looks and how it asks; pages fill it with the real system, tests with
// fakes. showMessage is the page's skinned box (kind, message, three captions) -> result.
struct LaunchContext
{
    LaunchTexts texts;
    std::function<int(int kind, const QString& message, const QString& button1, const QString& button2,
                      const QString& button3)>
        showMessage;
    QString systemDirectory;              // where the audio codec driver is installed
    std::function<bool()> isMediaPlayer9; // the media-player version check
    QObject* owner = nullptr;             // answers arriving later are dropped once it is gone
};

// Sibling files, relative to the current directory.
inline constexpr char kUtilityInstaller[] = ".\\Tools\\install.exe";
inline constexpr char kVarnetTool[] = ".\\ddnscfg.exe";
inline constexpr char kUserGuide[] = ".\\Docs\\Guide.pdf";
inline constexpr char kReaderInstaller[] = ".\\PdfReader\\setup.exe";
inline constexpr char kCodecInstaller[] = ".\\adpcm726.exe";
inline constexpr char kCodecDriver[] = "adpcm726.acm";

// The text for a failed shell result: `notFound` for 2, `invalid` for 11, `other` otherwise.
QString LaunchFailureText(int result, const QString& notFound, const QString& invalid, const QString& other);

// Codec check (installs the codec when its driver is missing), media-player question, then
// the utility installer; a failure to start the installer is reported.
void InstallUtility(const LaunchContext& context);
// Starts the dynamic-DNS setup tool; a failure is reported. The caller then ends the wizard.
void LaunchVarnetTool(const LaunchContext& context);
// Opens the user guide; without a PDF program, offers to install the reader. The handler
// lookup runs in the background, so the question may come after this returns.
void OpenUserGuide(const LaunchContext& context);
