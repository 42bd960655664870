#include "diagnosis_format.h"

#include "camera_format.h"
#include "device/core/camera_detail_text.h"
#include "platform/core/socket_errors.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr Rejection kRejections[kRejectionKinds] = {
    Rejection::TooShort,       Rejection::TooLong,       Rejection::Dropped,
    Rejection::NotAQueryReply, Rejection::WrongSequence, Rejection::FailedStatus,
    Rejection::Undecodable,    Rejection::TypeNotWanted, Rejection::ListFull};

const char* JsonKey(Rejection rejection)
{
    switch (rejection) {
    case Rejection::TooShort:
        return "tooShort";
    case Rejection::TooLong:
        return "tooLong";
    case Rejection::Dropped:
        return "markedDropped";
    case Rejection::NotAQueryReply:
        return "notAQueryReply";
    case Rejection::WrongSequence:
        return "wrongSequence";
    case Rejection::FailedStatus:
        return "nonZeroStatus";
    case Rejection::Undecodable:
        return "undecodable";
    case Rejection::TypeNotWanted:
        return "deviceTypeNotWanted";
    case Rejection::ListFull:
        return "listFull";
    }
    return "?";
}

// Interface names come from the system; the same care as camera texts costs nothing.
std::string Printable(const std::string& text)
{
    std::string out = text;
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return out;
}

std::string RowTitle(const InterfaceDiagnosis& row)
{
    if (row.adapter.index == 0)
        return "no interface named (the routing table chose)";
    const std::string name = row.adapter.name.empty() ? "interface " + std::to_string(row.adapter.index)
                                                      : Printable(row.adapter.name);
    return name + " " + row.adapter.address + "/" + row.adapter.mask;
}

std::string Network(const NetworkAdapter& adapter)
{
    return adapter.address + "/" + adapter.mask;
}

std::string RowText(const InterfaceDiagnosis& row)
{
    std::string text = "interface " + RowTitle(row) + "\n";
    text += "  queries sent: " + std::to_string(row.queriesSent) + "\n";
    if (row.sendError != 0)
        text += "  send error: " + SendErrorText(row.sendError) + "\n";
    text += "  datagrams received: " + std::to_string(row.received) +
            ", accepted: " + std::to_string(row.accepted) + "\n  rejected:";
    for (size_t i = 0; i < kRejectionKinds; ++i)
        text += std::string(i == 0 ? " " : ", ") + RejectionName(kRejections[i]) + " " +
                std::to_string(row.Rejected(kRejections[i]));
    text += "\n  cameras found: " + std::to_string(row.cameras.size()) + "\n";
    for (const ForeignCamera& camera : row.foreign)
        text += "  camera " + camera_text::MacText(camera.mac) + " answered from " +
                camera_text::DottedQuad(camera.address) + ", outside " + Network(row.adapter) +
                ": its web page cannot be reached from this PC\n";
    return text;
}

QJsonObject RowObject(const InterfaceDiagnosis& row)
{
    QJsonObject rejected;
    for (const Rejection rejection : kRejections)
        rejected.insert(JsonKey(rejection), row.Rejected(rejection));
    QJsonArray foreign;
    for (const ForeignCamera& camera : row.foreign)
        foreign.append(QJsonObject{{"mac", QString::fromStdString(camera_text::MacText(camera.mac))},
                                   {"ip", QString::fromStdString(camera_text::DottedQuad(camera.address))}});
    return QJsonObject{
        {"name", QString::fromStdString(row.adapter.name)},
        {"index", static_cast<qint64>(row.adapter.index)},
        {"address", QString::fromStdString(row.adapter.address)},
        {"mask", QString::fromStdString(row.adapter.mask)},
        {"queriesSent", row.queriesSent},
        {"sendError", row.sendError},
        {"received", row.received},
        {"accepted", row.accepted},
        {"rejected", rejected},
        {"camerasFound", static_cast<int>(row.cameras.size())},
        {"outsideSubnet", foreign},
    };
}

std::string TargetText(const TargetDiagnosis& row)
{
    std::string text = "address " + camera_text::DottedQuad(row.address) + "\n";
    text += "  queries sent: " + std::to_string(row.queriesSent) + "\n";
    if (row.sendError != 0)
        text += "  send error: " + SendErrorText(row.sendError) + "\n";
    text += "  answers: " + std::to_string(row.answers) +
            ", cameras found: " + std::to_string(row.cameras.size()) + "\n";
    return text;
}

QJsonObject TargetObject(const TargetDiagnosis& row)
{
    return QJsonObject{
        {"address", QString::fromStdString(camera_text::DottedQuad(row.address))},
        {"queriesSent", row.queriesSent},
        {"sendError", row.sendError},
        {"answers", row.answers},
        {"camerasFound", static_cast<int>(row.cameras.size())},
    };
}

std::string RangeRowText(const RangeDiagnosis& row)
{
    std::string text =
        "range " + row.range.text + " (" + std::to_string(row.range.range.Count()) + " addresses)\n";
    text += "  queries sent: " + std::to_string(row.queriesSent) +
            ", send errors: " + std::to_string(row.sendErrors);
    text += row.lastSendError != 0 ? " (last: " + SendErrorText(row.lastSendError) + ")\n" : "\n";
    text += "  answers: " + std::to_string(row.answers) +
            ", cameras found: " + std::to_string(row.cameras.size()) + "\n";
    text += "  unreachable: no such host " + std::to_string(row.noSuchHost.size()) +
            ", a host but no camera " + std::to_string(row.hostNoCamera.size()) + "\n";
    return text;
}

QJsonObject RangeObject(const RangeDiagnosis& row)
{
    return QJsonObject{
        {"range", QString::fromStdString(row.range.text)},
        {"addresses", static_cast<qint64>(row.range.range.Count())},
        {"queriesSent", row.queriesSent},
        {"sendErrors", row.sendErrors},
        {"lastSendError", row.lastSendError},
        {"answers", row.answers},
        {"camerasFound", static_cast<int>(row.cameras.size())},
        {"noSuchHost", static_cast<int>(row.noSuchHost.size())},
        {"hostNoCamera", static_cast<int>(row.hostNoCamera.size())},
    };
}

} // namespace

std::string SocketErrorText(int code)
{
    switch (code) {
    case WSAETIMEDOUT:
        return "timed out";
    case WSAEHOSTDOWN:
        return "host is down";
    case WSAEHOSTUNREACH:
        return "no route to host";
    case WSAHOST_NOT_FOUND:
        return "host not found";
    case WSAENETUNREACH:
        return "network unreachable";
    case WSAEACCES:
        return "permission denied";
    case WSAENETDOWN:
        return "network is down";
    case WSAENOBUFS:
        return "no buffer space available";
    case WSAEADDRNOTAVAIL:
        return "address not available";
    case WSAECONNRESET:
    case WSAECONNREFUSED:
        return "connection refused";
    case WSAEMSGSIZE:
        return "message too long";
    default:
        return "socket error";
    }
}

// The engine keeps Windows Sockets codes on every system; only Windows users know them by number.
std::string SendErrorText(int error)
{
#ifdef _WIN32
    return SocketErrorText(error) + " (socket error " + std::to_string(error) + ")";
#else
    return SocketErrorText(error);
#endif
}

std::string DiagnosisText(const SearchDiagnosis& diagnosis)
{
    std::string text;
    for (const InterfaceDiagnosis& row : diagnosis.Rows())
        text += RowText(row);
    if (diagnosis.Rows().empty())
        text = "no interface was searched\n";
    for (const TargetDiagnosis& row : diagnosis.Targets())
        text += TargetText(row);
    for (const RangeDiagnosis& row : diagnosis.Ranges())
        text += RangeRowText(row);
    return text;
}

std::string DiagnosisJson(const FoundCameraList& cameras, const SearchDiagnosis& diagnosis)
{
    QJsonArray rows;
    for (const InterfaceDiagnosis& row : diagnosis.Rows())
        rows.append(RowObject(row));
    const QJsonDocument cameraList = QJsonDocument::fromJson(QByteArray::fromStdString(CamerasJson(cameras)));
    QJsonArray targets;
    for (const TargetDiagnosis& row : diagnosis.Targets())
        targets.append(TargetObject(row));
    QJsonArray ranges;
    for (const RangeDiagnosis& row : diagnosis.Ranges())
        ranges.append(RangeObject(row));
    const QJsonObject all{
        {"cameras", cameraList.array()}, {"interfaces", rows}, {"addresses", targets}, {"ranges", ranges}};
    return EscapeJsonControls(QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString());
}
