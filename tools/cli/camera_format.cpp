#include "camera_format.h"

#include "device/core/camera_detail_text.h"
#include "platform/core/code_page.h"
#include "platform/net/network_adapters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr uint16_t kDefaultWebPort = 80;

QString Text(const std::string& narrow)
{
    return QString::fromStdU16String(ToWide(narrow));
}

bool IsControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A camera's own texts may hold tabs, line breaks or terminal controls; in a line they would
// split its fields or drive the terminal.
QString Field(const QString& text)
{
    QString clean = text;
    for (QChar& c : clean) {
        if (IsControl(c.unicode()))
            c = u' ';
    }
    return clean;
}

QString Field(const std::string& narrow)
{
    return Field(Text(narrow));
}

QString Dotted(const Ipv4Address& address)
{
    return QString::fromStdString(camera_text::DottedQuad(address));
}

const char* VariantName(uint16_t answeredCommand)
{
    switch (answeredCommand) {
    case CMD_QUERY:
        return "plain";
    case CMD_QUERY_ENC:
        return "enciphered";
    default:
        return "full";
    }
}

QString Firmware(const CameraRecord& camera)
{
    return QString::fromStdString(
        camera_text::FirmwareVersion(camera.info.Get(DeviceInfo::firmwareVersion), camera.AnsweredCommand()));
}

QString Interface(const CameraRecord& camera)
{
    return QString::fromStdString(InterfaceName(camera.interfaceIndex));
}

using Fields = std::vector<std::pair<QString, QJsonValue>>;

Fields CameraFields(const CameraRecord& camera)
{
    const DeviceInfo& info = camera.info;
    const bool portSet = info.Get(DeviceInfo::webPortSet) != 0;
    return {
        {"mac", QString::fromStdString(camera_text::MacText(info.Get(DeviceInfo::macAddress)))},
        {"name", Text(info.Get(DeviceInfo::cameraName))},
        {"description", Text(info.Get(DeviceInfo::description))},
        {"ip", Dotted(info.Get(DeviceInfo::ipAddress))},
        {"mask", Dotted(info.Get(DeviceInfo::subnetMask))},
        {"gateway", Dotted(info.Get(DeviceInfo::gateway))},
        {"dns1", Dotted(info.Get(DeviceInfo::primaryDns))},
        {"dns2", Dotted(info.Get(DeviceInfo::secondaryDns))},
        {"dhcp", info.Get(DeviceInfo::fixedIp) == 0},
        {"date", Text(info.Get(DeviceInfo::date))},
        {"time", Text(info.Get(DeviceInfo::time))},
        {"timezone", info.Get(DeviceInfo::timeZone)},
        {"firmware", Firmware(camera)},
        {"deviceType", info.Get(DeviceInfo::deviceType)},
        {"queryCommand", camera.AnsweredCommand()},
        {"webPort", portSet ? info.Get(DeviceInfo::webPort) : kDefaultWebPort},
        {"interface", Interface(camera)},
    };
}

QJsonObject CameraObject(const CameraRecord& camera)
{
    QJsonObject object;
    for (const auto& [key, value] : CameraFields(camera))
        object.insert(key, value);
    return object;
}

// A spreadsheet opening the file would run a cell that begins with one of these as a formula.
bool StartsLikeFormula(const QString& text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front());
}

// RFC 4180: a field with a comma or a quote is quoted, its quotes doubled. A text that a
// spreadsheet would take for a formula gets a leading apostrophe, which shows it as text.
QString CsvField(const QJsonValue& value)
{
    QString text;
    if (value.isBool())
        text = value.toBool() ? "true" : "false";
    else if (value.isDouble())
        text = QString::number(value.toInteger());
    else
        text = (StartsLikeFormula(value.toString()) ? "'" : "") + Field(value.toString());
    if (!text.contains(',') && !text.contains('"'))
        return text;
    return '"' + QString(text).replace("\"", "\"\"") + '"';
}

} // namespace

std::string CameraLine(const CameraRecord& camera)
{
    const DeviceInfo& info = camera.info;
    const QStringList fields{
        QString::fromStdString(camera_text::MacText(info.Get(DeviceInfo::macAddress))),
        Field(info.Get(DeviceInfo::cameraName)),
        Dotted(info.Get(DeviceInfo::ipAddress)),
        Dotted(info.Get(DeviceInfo::subnetMask)),
        Dotted(info.Get(DeviceInfo::gateway)),
        Firmware(camera),
        Field(info.Get(DeviceInfo::date)),
        Field(info.Get(DeviceInfo::time)),
        QString::number(info.Get(DeviceInfo::deviceType)),
        VariantName(camera.AnsweredCommand()),
        Field(Interface(camera)),
    };
    return fields.join('\t').toStdString();
}

void WriteCamerasJson(const FoundCameraList& cameras, const TextSink& write)
{
    if (cameras.IsEmpty()) {
        write("[]\n"); // the writer would spread an empty array over two lines
        return;
    }
    // Each object as the writer indents it inside an array, so the whole reads as one document.
    const char* separator = "[\n    ";
    for (const CameraRecord* camera : cameras.Records()) {
        QByteArray object = QJsonDocument(CameraObject(*camera)).toJson(QJsonDocument::Indented);
        object.chop(1);
        object.replace("\n", "\n    ");
        write(separator + EscapeJsonControls(object.toStdString()));
        separator = ",\n    ";
    }
    write("\n]\n");
}

std::string CamerasJson(const FoundCameraList& cameras)
{
    std::string json;
    WriteCamerasJson(cameras, [&json](const std::string& text) { json += text; });
    return json;
}

void WriteCamerasCsv(const FoundCameraList& cameras, const TextSink& write)
{
    QStringList header;
    for (const auto& field : CameraFields(CameraRecord{}))
        header.append(field.first);
    write((header.join(',') + "\r\n").toStdString());
    for (const CameraRecord* camera : cameras.Records()) {
        QStringList row;
        for (const auto& field : CameraFields(*camera))
            row.append(CsvField(field.second));
        write((row.join(',') + "\r\n").toStdString());
    }
}

std::string EscapeJsonControls(const std::string& json)
{
    std::string out;
    out.reserve(json.size());
    for (size_t i = 0; i < json.size(); ++i) {
        const auto byte = static_cast<unsigned char>(json[i]);
        const bool c1 =
            byte == 0xC2 && i + 1 < json.size() && (static_cast<unsigned char>(json[i + 1]) & 0xE0) == 0x80;
        if (!c1 && byte != 0x7F) {
            out += json[i];
            continue;
        }
        const unsigned code = c1 ? static_cast<unsigned char>(json[++i]) : byte;
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", code);
        out += escape;
    }
    return out;
}

std::string AddressClashText(const AddressClash& clash)
{
    const std::string address = camera_text::DottedQuad(clash.address);
    switch (clash.kind) {
    case AddressClash::Kind::ThisComputer:
        return address + " is an address of this computer";
    case AddressClash::Kind::OtherCamera:
        return address + " is used by " +
               Field(Text(clash.holder->info.Get(DeviceInfo::cameraName))).toStdString() + ", " +
               camera_text::MacText(clash.holder->info.Get(DeviceInfo::macAddress));
    case AddressClash::Kind::None:
        break;
    }
    return {};
}
