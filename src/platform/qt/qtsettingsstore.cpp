#include "platform/qt/qtsettingsstore.h"

#include "platform/qt/qtext.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <memory>

#ifdef Q_OS_WIN
#include <cwchar>
#include <string>
#include <windows.h>
#endif

namespace orvik {

namespace {

QString userConfigDirectory() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty())
        return configured;
    return QDir::homePath() + QStringLiteral("/.config");
}

#ifdef Q_OS_WIN
// The key of a section: where the shop's existing settings are, so it must
// not change.
std::wstring sectionKey(const std::string& application, const std::string& section) {
    return (QStringLiteral("Software\\VB and VBA Program Settings\\") + toQString(application) +
            QLatin1Char('\\') + toQString(section))
        .toStdWString();
}
#else
// A fresh store object per call, so that edits another program made to the
// file since the last call are seen.
std::unique_ptr<QSettings> openStore(const QtSettingsStore& store, const std::string& application) {
    return std::make_unique<QSettings>(store.iniFilePath(application), QSettings::IniFormat);
}
#endif

#ifndef Q_OS_WIN
// An unquoted comma in a hand-written INI value makes the INI reader split
// it into a list; the setting is one text, so the parts are joined again.
QString settingText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}
#endif

} // namespace

QtSettingsStore::QtSettingsStore(QString iniDirectory) : iniDirectory_(std::move(iniDirectory)) {}

QString QtSettingsStore::iniFilePath(const std::string& application) const {
    const QString directory = iniDirectory_.isEmpty() ? userConfigDirectory() : iniDirectory_;
    QString fileName = toQString(application);
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return directory + QLatin1Char('/') + fileName + QStringLiteral(".ini");
}

#ifdef Q_OS_WIN
// The registry's own calls rather than QSettings: a value is stored and read
// exactly as the text it is (QSettings would add an "@" before a leading "@"
// that the shop's other programs would then see), and each call reads the
// registry anew, so edits made meanwhile are seen.
std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) {
    const std::wstring subKey = sectionKey(application, section);
    const std::wstring name = toQString(key).toStdWString();
    for (;;) {
        DWORD bytes = 0;
        LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(),
                                      RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
        if (status != ERROR_SUCCESS)
            return defaultValue;
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ,
                              nullptr, value.data(), &bytes);
        if (status == ERROR_MORE_DATA) // grown meanwhile
            continue;
        if (status != ERROR_SUCCESS)
            return defaultValue;
        value.resize(wcsnlen(value.c_str(), value.size()));
        return fromQString(QString::fromStdWString(value));
    }
}

void QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionKey(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring text = toQString(value).toStdWString();
    RegSetValueExW(handle, toQString(key).toStdWString().c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}
#else
std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) {
    const std::unique_ptr<QSettings> settings = openStore(*this, application);
    settings->beginGroup(toQString(section));
    const QVariant value = settings->value(toQString(key));
    settings->endGroup();
    if (!value.isValid())
        return defaultValue;
    return fromQString(settingText(value));
}

void QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    QDir().mkpath(QFileInfo(iniFilePath(application)).absolutePath());
    const std::unique_ptr<QSettings> settings = openStore(*this, application);
    settings->beginGroup(toQString(section));
    settings->setValue(toQString(key), toQString(value));
    settings->endGroup();
    settings->sync();
}
#endif

} // namespace orvik
