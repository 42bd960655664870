#include "camera_format.h"

#include "device/core/camera_detail_text.h"
#include "platform/core/code_page.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace {

constexpr uint16_t kDefaultWebPort = 80;

QString Text(const std::string& narrow)
{
    return QString::fromStdU16String(ToWide(narrow));
}

// A camera's own texts may hold tabs or line breaks; in a line they would split its fields.
QString Field(const std::string& narrow)
{
    QString text = Text(narrow);
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return text;
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

QString Firmware(const CCameraDataObj& camera)
{
    return QString::fromStdString(
        camera_text::FirmwareVersion(camera.info.Get(DeviceInfo::firmwareVersion), camera.AnsweredCommand()));
}

QJsonObject CameraObject(const CCameraDataObj& camera)
{
    const DeviceInfo& info = camera.info;
    const bool portSet = info.Get(DeviceInfo::webPortSet) != 0;
    return QJsonObject{
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
    };
}

} // namespace

std::string CameraLine(const CCameraDataObj& camera)
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
    };
    return fields.join('\t').toStdString();
}

std::string CamerasJson(const FoundCameraList& cameras)
{
    QJsonArray array;
    for (const CCameraDataObj* camera : cameras.Records())
        array.append(CameraObject(*camera));
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}
