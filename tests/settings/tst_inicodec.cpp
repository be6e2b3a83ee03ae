#include "settings/IniCodec.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Values = QList<QPair<QString, QString>>;

QString textOf(const QVariant& v)
{
    return v.userType() == QMetaType::QStringList ? v.toStringList().join(',') : v.toString();
}

// Writes the pairs in one format and reads them from a fresh copy of the file in another.
Values throughFile(
    const QString& folder, const Values& values, QSettings::Format writer, QSettings::Format reader)
{
    QFile::remove(folder + "/w.ini");
    QFile::remove(folder + "/r.ini");
    {
        QSettings out(folder + "/w.ini", writer);
        for (const auto& [key, value] : values)
            out.setValue("Quillstead/" + key, value);
    }
    QFile::copy(folder + "/w.ini", folder + "/r.ini");
    QSettings in(folder + "/r.ini", reader);
    Values read;
    for (const auto& [key, value] : values)
        read.append({ key, textOf(in.value("Quillstead/" + key, "<absent>")) });
    return read;
}

} // namespace

class IniCodecTest : public QObject {
    Q_OBJECT
private slots:
    void agreesWithQtIniFormat()
    {
        QTemporaryDir dir;
        Values values;
        for (const QString text : { "", "a, b", "x;y", "  padded  ", "C:\\Docs\\", "@Invalid()", "@@at",
                 "@ByteArray(x)", "\"q\"", "%41", "\\x41", "Backup Option", "[Section]" })
            values.append({ text.isEmpty() ? "empty" : text, text });
        const QString palette = QString::fromUtf8("aZ09fx \t\n\r\"\\;,=#@[]%/'?éü€日😀\u00A0\u2028\uFEFF")
            + QChar(0) + QChar(1) + QChar(0x1F) + QChar(0x7F);
        QRandomGenerator random(20261206);
        auto randomText = [&] {
            QString text;
            for (int n = random.bounded(14); n > 0; --n) {
                const QChar c = palette.at(random.bounded(int(palette.size())));
                text += c.isSurrogate() ? QString::fromUtf8("😀") : QString(c); // pairs stay whole
            }
            return text;
        };
        for (int i = 0; i < 400; ++i)
            values.append({ randomText().remove('/') + QString::number(i), randomText() });

        QCOMPARE(throughFile(dir.path(), values, iniSettingsFormat(), QSettings::IniFormat), values);
        QCOMPARE(throughFile(dir.path(), values, QSettings::IniFormat, iniSettingsFormat()), values);
        QCOMPARE(throughFile(dir.path(), values, iniSettingsFormat(), iniSettingsFormat()), values);
    }

    // A file typed by hand reads as Qt's own reader reads it, but for an unquoted ";".
    void handWrittenFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("hand.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF; comment\r\n[General]\r\nTop=1\r\n\r\n[Quillstead]\r\n; Gone=1\r\n"
                   "Files=/a, /b\r\nPath = \"C:\\\\Temp\\\\\" ; after\r\nBackup%20Option=7\r\nCut=/a;/b;\r\n"
                   "Hex=\\x41\\102\r\nNbsp=a\xC2\xA0\r\nEmpty=\r\n[other]\nKey=v\n");
        file.close();
        const QList<QPair<QString, QString>> expected { { "Top", "1" }, { "Quillstead/Gone", "<absent>" },
            { "Quillstead/Files", "/a,/b" }, { "Quillstead/Path", "C:\\Temp\\" },
            { "Quillstead/Backup Option", "7" }, { "Quillstead/Hex", "AB" },
            { "Quillstead/Nbsp", QString::fromUtf8("a\u00A0") }, { "Quillstead/Empty", "" },
            { "other/Key", "v" } };
        QSettings ours(file.fileName(), iniSettingsFormat());
        // A copy of its own: QSettings shares what it read of one file name.
        QVERIFY(QFile::copy(file.fileName(), dir.filePath("qt.ini")));
        QSettings qts(dir.filePath("qt.ini"), QSettings::IniFormat);
        for (const auto& [key, value] : expected) {
            QCOMPARE(textOf(ours.value(key, "<absent>")), value);
            QCOMPARE(textOf(qts.value(key, "<absent>")), value);
        }
        // Unquoted, a ";" is kept (Qt would drop the rest as a comment and lose /b).
        QCOMPARE(textOf(ours.value("Quillstead/Cut")), QString("/a;/b;"));
        QCOMPARE(textOf(qts.value("Quillstead/Cut")), QString("/a"));
    }
};

QTEST_GUILESS_MAIN(IniCodecTest)
#include "tst_inicodec.moc"
