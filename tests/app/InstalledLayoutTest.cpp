// The program as `cmake --install` lays it out under a fresh prefix: it finds its help, and
// the launcher, the icon and the AppStream metadata name one another correctly.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QMap>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

#include "ChartWindows.h"
#include "QtServices.h"
#include "StartupOptions.h"
#include "support/Files.h"

using namespace larkspin;

namespace {

const QString kPrefix = QStringLiteral(LARKSPIN_INSTALLED);
const QString kAppId = QStringLiteral(LARKSPIN_APP_ID);

QString Installed(const QString& path) {
  return kPrefix + QLatin1Char('/') + path;
}

QMap<QString, QString> DesktopEntry(const QString& path) {
  QMap<QString, QString> keys;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return keys;
  bool inEntry = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith(QLatin1Char('['))) inEntry = line == QLatin1String("[Desktop Entry]");
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (inEntry && equals > 0) keys.insert(line.left(equals), line.mid(equals + 1));
  }
  return keys;
}

// The texts and attributes of the metadata's elements, by path from the root ("component/id",
// "component/releases/release@version").
QMultiMap<QString, QString> Metadata(const QString& path) {
  QMultiMap<QString, QString> texts;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return texts;
  QXmlStreamReader xml(&file);
  QStringList elements;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      elements.append(xml.name().toString());
      for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        texts.insert(elements.join('/') + '@' + attribute.name().toString(),
                     attribute.value().toString());
      }
    }
    if (xml.isEndElement()) elements.removeLast();
    if (xml.isCharacters() && !xml.isWhitespace())
      texts.insert(elements.join('/'), xml.text().toString());
  }
  return xml.hasError() ? QMultiMap<QString, QString>() : texts;
}

QStringList ReadLines(const QString& path) {
  return QString::fromUtf8(larkspin::testing::ReadFile(path)).split(QLatin1Char('\n'));
}

// What the installed program prints for --version, line by line.
QStringList VersionLines() {
  QProcess program;
  program.start(Installed("bin/larkspin"), {"--version"});
  if (!program.waitForFinished(30000) || program.exitCode() != 0) return {};
  return QString::fromUtf8(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class InstalledLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    SetProgramIdentity();
    QVERIFY2(QFileInfo(Installed("bin/larkspin")).isExecutable(), qPrintable(kPrefix));
  }

  void helpPage_isFoundBesideTheInstalledProgram() {
    const QString expected =
        QFileInfo(Installed("share/larkspin/help/index.html")).canonicalFilePath();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(FindHelpPage(Installed("bin")), expected);
  }

#ifdef LARKSPIN_INSTALLED_CHARTS
  // The chart windows' library, where the installed program looks for it as a chart window opens.
  void chartLibrary_isWhereTheInstalledProgramLoadsIt() {
    QLibrary library(QDir(Installed("bin")).filePath(QStringLiteral(LARKSPIN_INSTALLED_CHARTS)));
    QVERIFY2(library.resolve(kChartWindowsEntry), qPrintable(library.errorString()));
  }
#endif

  void installedProgram_runs() {
    QCOMPARE(VersionLines().value(0), QStringLiteral("larkspin " LARKSPIN_VERSION));
  }

  // GPL version 3 or later, in each place's own words: Debian's short name in the package's
  // copyright file, SPDX in the metadata, GNU's wording in --version, the full text at the root.
  void copyrightMetadataAndVersion_nameTheSameLicence() {
    const QStringList copyright = ReadLines(Installed("share/doc/larkspin/copyright"));
    QVERIFY(!copyright.isEmpty());
    QStringList licences;
    for (const QString& line : copyright) {
      if (line.startsWith(QLatin1String("License:"))) licences.append(line.mid(8).trimmed());
    }
    // The Files paragraph names it; a stand-alone paragraph gives its text.
    QCOMPARE(licences, QStringList({"GPL-3+", "GPL-3+"}));
    QVERIFY(copyright.contains(
        QStringLiteral(" the Free Software Foundation, either version 3 of the License, or")));
    QVERIFY(copyright.contains(QStringLiteral(
        " License version 3 can be found in \"/usr/share/common-licenses/GPL-3\".")));

    const auto metadata = Metadata(Installed("share/metainfo/" + kAppId + ".metainfo.xml"));
    QCOMPARE(metadata.value("component/project_license"), QStringLiteral("GPL-3.0-or-later"));

    QCOMPARE(VersionLines().mid(1),
             QStringList({"License GPLv3+: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>",
                          "This is free software: you are free to change and redistribute it. "
                          "There is NO WARRANTY, to the extent permitted by law."}));

    const QStringList text = ReadLines(QStringLiteral(LARKSPIN_TEST_DATA "/../../LICENSE"));
    QCOMPARE(text.mid(0, 2), QStringList({"                    GNU GENERAL PUBLIC LICENSE",
                                          "                       Version 3, 29 June 2007"}));
  }

  void launcher_startsTheProgramOnTheUsersDataFolder() {
    const auto entry = DesktopEntry(Installed("share/applications/" + kAppId + ".desktop"));
    QVERIFY(!entry.isEmpty());
    QStringList exec = entry.value("Exec").split(' ', Qt::SkipEmptyParts);
    QVERIFY(!exec.isEmpty());
    QCOMPARE(exec.constFirst(), QStringLiteral("larkspin"));
    // The menu's folder is wherever the desktop happens to be: the launcher must choose.
    const StartupOptions options =
        ParseStartupOptions(exec, QStringLiteral("/somewhere"), QStringLiteral("/user/data"));
    QCOMPARE(options.exitStatus, -1);
    QCOMPARE(options.dataDir, QStringLiteral("/user/data"));
  }

  void launcherIconAndMetadata_shareOneName() {
    const auto entry = DesktopEntry(Installed("share/applications/" + kAppId + ".desktop"));
    QCOMPARE(entry.value("Icon"), kAppId);
    for (const QString& icon :
         {"scalable/apps/" + kAppId + ".svg", "48x48/apps/" + kAppId + ".png"}) {
      QVERIFY2(QFileInfo(Installed("share/icons/hicolor/" + icon)).isFile(), qPrintable(icon));
    }
    const auto metadata = Metadata(Installed("share/metainfo/" + kAppId + ".metainfo.xml"));
    QCOMPARE(metadata.value("component/id"), kAppId);
    QCOMPARE(metadata.value("component/launchable"), kAppId + ".desktop");
    QCOMPARE(metadata.value("component/provides/binary"), QStringLiteral("larkspin"));
    QCOMPARE(metadata.value("component/releases/release@version"),
             QStringLiteral(LARKSPIN_VERSION));
  }

  void manualPage_isInSectionOne() {
    QVERIFY(QFileInfo(Installed("share/man/man1/larkspin.1.gz")).isFile() ||
            QFileInfo(Installed("share/man/man1/larkspin.1")).isFile());
  }
};

QTEST_GUILESS_MAIN(InstalledLayoutTest)
#include "InstalledLayoutTest.moc"
