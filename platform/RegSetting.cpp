#include "platform/RegSetting.h"

#include "platform/PortNumbers.h"

#include <QSettings>
#include <QStringList>


namespace orlan {

namespace {

QSettings* UserStore()
{
#ifdef Q_OS_WIN
    return new QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\QEXLINKCOMM"),
                         QSettings::NativeFormat);
#else
    return new QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("orlan"),
                         QStringLiteral("link"));
#endif
}

QString PortPathName(int portNumber)
{
    return QStringLiteral("PORTPATH%1").arg(portNumber);
}

} // namespace

int LeadingNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+'))
        ++end;
    const qsizetype firstDigit = end;
    while (end < trimmed.size() && trimmed[end] >= u'0' && trimmed[end] <= u'9')
        ++end;
    if (end == firstDigit)
        return 0;
    bool ok = false;
    const int value = trimmed.left(end).toInt(&ok);
    return ok ? value : 0;
}

CRegSetting::CRegSetting() : m_settings(UserStore()) {}

CRegSetting::CRegSetting(const QString& iniFilePath)
    : m_settings(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat))
{
}

CRegSetting::~CRegSetting() = default;

QString CRegSetting::RawText(const QString& name) const
{
    const QVariant value = m_settings->value(name);
    // An INI value with commas in it comes back as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

int CRegSetting::ReadNumber(const QString& name, int index, int defaultValue) const
{
    QString text = RawText(name + QString::number(index));
    if (text.isEmpty() && name == QLatin1String(kParityValueName))
        text = RawText(QLatin1String(kLegacyParityValueName) + QString::number(index));
    return text.isEmpty() ? defaultValue : LeadingNumber(text);
}

void CRegSetting::WriteNumber(const QString& name, int index, int value)
{
    m_settings->setValue(name + QString::number(index), QString::number(value));
    if (name == QLatin1String(kParityValueName))
        m_settings->remove(QLatin1String(kLegacyParityValueName) + QString::number(index));
    m_settings->sync();
}

QString CRegSetting::ReadText(const QString& name) const
{
    const QString text = RawText(name);
    if (text.isEmpty() && name == QLatin1String(kServerPortValueName))
        return QStringLiteral("8008");
    return text;
}

void CRegSetting::WriteText(const QString& name, const QString& text)
{
    // The login password would sit on disk in clear text, and nothing ever
    // reads it back: it is not stored at all.
    if (name == QLatin1String(kPasswordValueName))
        return;
    m_settings->setValue(name, text);
    m_settings->sync();
}

QString CRegSetting::UserPortPath(int portNumber) const
{
    if (portNumber < kFirstUserPort || portNumber > kPortCount)
        return {};
    return RawText(PortPathName(portNumber));
}

void CRegSetting::SetUserPortPath(int portNumber, const QString& path)
{
    if (portNumber < kFirstUserPort || portNumber > kPortCount)
        return;
    if (path.isEmpty())
        m_settings->remove(PortPathName(portNumber));
    else
        m_settings->setValue(PortPathName(portNumber), path);
    m_settings->sync();
}

} // namespace orlan
