#include "cli/StatusRender.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace orlan {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string Age(const SReported& value, int64_t nowMs)
{
    return value.Reported() ? AgeText(*value.AgeMs(nowMs)) + " ago" : "not reported";
}

// "12.34 (5 s ago)", "- (not reported)".
std::string Value(const SReported& value, int64_t nowMs)
{
    return (value.Reported() ? value.text : std::string("-")) + " (" + Age(value, nowMs) + ")";
}

std::string LampWord(const SStatusLamp& lamp)
{
    if (!lamp.state.Reported())
        return "?";
    return lamp.lit ? "closed" : "open";
}

std::string Named(const std::string& what, const std::string& name)
{
    return name.empty() ? what : what + " \"" + name + "\"";
}

std::string Threshold(const std::optional<double>& value)
{
    if (!value)
        return "?";
    char text[32];
    std::snprintf(text, sizeof text, "%g", *value);
    return text;
}

const char* Unit(EAnalogKind kind)
{
    return kind == EAnalogKind::Voltage ? " V" : kind == EAnalogKind::Current ? " mA" : "";
}

QJsonValue JsonReported(const SReported& value, int64_t nowMs)
{
    QJsonObject object;
    object[QStringLiteral("value")] = value.Reported() ? QJsonValue(Q(value.text)) : QJsonValue();
    object[QStringLiteral("age_s")] =
        value.Reported() ? QJsonValue(static_cast<qint64>(*value.AgeMs(nowMs) / 1000)) : QJsonValue();
    return object;
}

QJsonArray Trend(const std::vector<double>& trend)
{
    QJsonArray array;
    for (double sample : trend)
        array.append(sample);
    return array;
}

QJsonValue Optional(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonObject JsonOf(const SStatus& status, int64_t nowMs, bool withAges)
{
    const int64_t now = withAges ? nowMs : 0;
    auto reported = [&](const SReported& value) {
        return withAges ? JsonReported(value, now)
                        : (value.Reported() ? QJsonValue(Q(value.text)) : QJsonValue());
    };
    QJsonObject out;
    out[QStringLiteral("unit")] = Q(status.unitId);
    out[QStringLiteral("memo")] = Q(status.memo);
    out[QStringLiteral("logged_in")] = status.loggedIn;
    if (withAges)
        out[QStringLiteral("last_line")] = reported(status.lastLine);
    auto lamps = [&](const auto& list) {
        QJsonArray array;
        for (const SStatusLamp& lamp : list) {
            QJsonObject object;
            object[QStringLiteral("name")] = Q(lamp.name);
            object[QStringLiteral("type")] = Q(lamp.type);
            object[QStringLiteral("state")] = reported(lamp.state);
            object[QStringLiteral("closed")] = lamp.state.Reported() ? QJsonValue(lamp.lit) : QJsonValue();
            array.append(object);
        }
        return array;
    };
    out[QStringLiteral("inputs")] = lamps(status.inputs);
    out[QStringLiteral("outputs")] = lamps(status.outputs);
    QJsonArray analog;
    for (const SStatusAnalog& channel : status.analog) {
        QJsonObject object;
        object[QStringLiteral("name")] = Q(channel.name);
        object[QStringLiteral("reading")] = reported(channel.reading);
        object[QStringLiteral("unit")] = QString::fromLatin1(Unit(channel.kind)).trimmed();
        object[QStringLiteral("low")] = Optional(channel.low);
        object[QStringLiteral("high")] = Optional(channel.high);
        object[QStringLiteral("enabled")] = channel.enabled ? QJsonValue(*channel.enabled) : QJsonValue();
        analog.append(object);
    }
    out[QStringLiteral("analog")] = analog;
    auto sensor = [&](const SStatusSensor& one) {
        QJsonObject object;
        object[QStringLiteral("name")] = Q(one.name);
        object[QStringLiteral("reading")] = reported(one.reading);
        object[QStringLiteral("trend")] = Trend(one.trend);
        return object;
    };
    out[QStringLiteral("internal_temperature")] = sensor(status.internalTemp);
    out[QStringLiteral("humidity")] = sensor(status.humidity);
    QJsonArray external;
    for (const SStatusSensor& one : status.external)
        external.append(sensor(one));
    out[QStringLiteral("external_temperatures")] = external;
    QJsonArray events;
    for (const SStatusEvent& event : status.events)
        events.append(QJsonObject{{QStringLiteral("what"), Q(event.what)}, {QStringLiteral("time"), Q(event.time)}});
    out[QStringLiteral("events")] = events;
    return out;
}

} // namespace

std::string StatusText(const SStatus& status, int64_t nowMs)
{
    std::string out = "unit: " + (status.unitId.empty() ? std::string("not read") : status.unitId);
    if (!status.memo.empty())
        out += " - " + status.memo;
    out += "\n";
    out += std::string("logged in: ") + (status.loggedIn ? "yes" : "no") + "; last line "
           + Age(status.lastLine, nowMs) + "\n";
    for (size_t i = 0; i < status.inputs.size(); ++i) {
        const SStatusLamp& lamp = status.inputs[i];
        out += Named("input " + std::to_string(i), lamp.name) + ": " + LampWord(lamp) + " ("
               + Age(lamp.state, nowMs) + ")" + (lamp.type.empty() ? "" : ", " + lamp.type) + "\n";
    }
    for (size_t i = 0; i < status.outputs.size(); ++i) {
        const SStatusLamp& lamp = status.outputs[i];
        out += Named("output " + std::to_string(i), lamp.name) + ": " + LampWord(lamp) + " ("
               + Age(lamp.state, nowMs) + ")" + (lamp.type.empty() ? "" : ", " + lamp.type) + "\n";
    }
    for (size_t i = 0; i < status.analog.size(); ++i) {
        const SStatusAnalog& channel = status.analog[i];
        out += Named("analog " + std::to_string(i), channel.name) + ": "
               + (channel.reading.Reported() ? channel.reading.text + Unit(channel.kind) : std::string("-")) + " ("
               + Age(channel.reading, nowMs) + "), alarm below " + Threshold(channel.low) + " or above "
               + Threshold(channel.high) + (channel.enabled == false ? ", off" : "") + "\n";
    }
    out += "internal temperature: " + Value(status.internalTemp.reading, nowMs) + "\n";
    out += "humidity: " + Value(status.humidity.reading, nowMs) + "\n";
    for (size_t i = 0; i < status.external.size(); ++i)
        out += Named("sensor " + std::to_string(i), status.external[i].name) + ": "
               + Value(status.external[i].reading, nowMs) + "\n";
    out += "events:" + std::string(status.events.empty() ? " none\n" : "\n");
    for (const SStatusEvent& event : status.events)
        out += "  " + event.time + "  " + event.what + "\n";
    return out;
}

std::string StatusLine(const SStatus& status, int64_t /*nowMs*/)
{
    auto value = [](const SReported& reported) { return reported.Reported() ? reported.text : std::string("-"); };
    std::string line = "unit " + (status.unitId.empty() ? std::string("-") : status.unitId) + " in";
    for (const SStatusLamp& lamp : status.inputs)
        line += " " + (lamp.state.Reported() ? std::string(lamp.lit ? "C" : "O") : std::string("-"));
    line += " out";
    for (const SStatusLamp& lamp : status.outputs)
        line += " " + (lamp.state.Reported() ? std::string(lamp.lit ? "C" : "O") : std::string("-"));
    line += " ain";
    for (const SStatusAnalog& channel : status.analog)
        line += " " + value(channel.reading);
    line += " temp " + value(status.internalTemp.reading) + " hum " + value(status.humidity.reading) + " ext";
    for (const SStatusSensor& sensor : status.external)
        line += " " + value(sensor.reading);
    if (!status.events.empty())
        line += " event " + status.events.front().what;
    return line + "\n";
}

std::string StatusJson(const SStatus& status, int64_t nowMs, bool compact)
{
    return QJsonDocument(JsonOf(status, nowMs, true))
               .toJson(compact ? QJsonDocument::Compact : QJsonDocument::Indented)
               .toStdString()
           + (compact ? "\n" : "");
}

std::string StatusValues(const SStatus& status)
{
    return QJsonDocument(JsonOf(status, 0, false)).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace orlan
