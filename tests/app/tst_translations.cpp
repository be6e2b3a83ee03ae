#include "OpenWindows.h"
#include "app/MainWindowLayout.h"
#include "support/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QTreeView>
#include <QTreeWidget>
#include <QXmlStreamReader>

struct Message {
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};
Q_DECLARE_METATYPE(Message)

namespace {

const QString GermanFile = QStringLiteral(QUILL_SOURCE_DIR "/translations/quillstead_de.ts");
const QStringList BuildFolders { QStringLiteral(QUILL_BINARY_DIR "/bin") };

// An element's text; lupdate writes a carriage return as <byte value="xd"/>.
QString textOf(QXmlStreamReader& xml)
{
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"byte")
                text += QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return text;
}

QList<Message> readMessages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = textOf(xml);
        else if (xml.name() == u"message")
            messages.append({ context, {}, {}, false });
        else if (xml.name() == u"source")
            messages.last().source = textOf(xml);
        else if (xml.name() == u"translation") {
            messages.last().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            messages.last().translation = textOf(xml);
        }
    }
    if (xml.hasError())
        qWarning("%s: %s at line %lld", qPrintable(path), qPrintable(xml.errorString()), xml.lineNumber());
    return messages;
}

QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

void removeTranslations()
{
    qDeleteAll(qApp->findChildren<QTranslator*>());
}

// Every text a window shows or tells a screen reader, by the control it is on.
QMap<QString, QString> textsOf(const QWidget& window)
{
    QMap<QString, QString> texts;
    const auto add = [&texts](const QWidget& widget, const char* what, const QString& text) {
        if (text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}"))))
            texts.insert(widget.objectName() + u'/' + QLatin1String(what), text);
    };
    QList<const QWidget*> widgets { &window };
    for (const QWidget* child : window.findChildren<QWidget*>())
        widgets << child;
    int unnamed = 0;
    for (const QWidget* widget : widgets) {
        QWidget& w = const_cast<QWidget&>(*widget);
        if (w.objectName().isEmpty())
            w.setObjectName(QStringLiteral("unnamed%1").arg(++unnamed));
        if (w.isWindow())
            add(w, "title", w.windowTitle());
        add(w, "tip", w.toolTip());
        add(w, "name", w.accessibleName());
        add(w, "description", w.accessibleDescription());
        if (auto* button = qobject_cast<QAbstractButton*>(&w))
            add(w, "caption", button->text());
        if (auto* frame = qobject_cast<QGroupBox*>(&w))
            add(w, "caption", frame->title());
        if (auto* label = qobject_cast<QLabel*>(&w))
            add(w, "caption", label->text());
        if (auto* edit = qobject_cast<QLineEdit*>(&w))
            add(w, "placeholder", edit->placeholderText());
        if (auto* list = qobject_cast<QTreeView*>(&w); list && list->model()) {
            for (int column = 0; column < list->model()->columnCount(); ++column)
                add(w, qPrintable(QStringLiteral("column%1").arg(column)),
                    list->model()->headerData(column, Qt::Horizontal).toString());
        }
        if (auto* list = qobject_cast<QTreeWidget*>(&w)) {
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                add(w, qPrintable(QStringLiteral("row%1").arg(row)), list->topLevelItem(row)->text(0));
        }
    }
    return texts;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { removeTranslations(); }

    void everyTextHasItsGermanTranslation_data()
    {
        QTest::addColumn<Message>("message");
        const QList<Message> messages = readMessages(GermanFile);
        QVERIFY2(messages.size() > 100, qPrintable(GermanFile));
        for (const Message& message : messages)
            QTest::newRow(qPrintable(message.context + u':' + message.source.left(40))) << message;
    }

    void everyTextHasItsGermanTranslation()
    {
        QFETCH(Message, message);
        QVERIFY2(message.finished && !message.translation.trimmed().isEmpty(), "not translated");
        QCOMPARE(placeholders(message.translation), placeholders(message.source));
        // Texts are glued together and laid out by their line breaks.
        QCOMPARE(message.translation.count(u'\r'), message.source.count(u'\r'));
        QCOMPARE(message.translation.count(u'\n'), message.source.count(u'\n'));
        QCOMPARE(message.translation.endsWith(u' '), message.source.endsWith(u' '));
    }

    // A text added to the code without its translation is found here: lupdate
    // reads the code afresh and every text it finds must be in the file.
    void theTranslationFileHoldsEveryTextOfTheCode()
    {
        QTemporaryDir folder;
        const QString fresh = folder.filePath("fresh_de.ts");
        QProcess lupdate;
        lupdate.start(QStringLiteral(QUILL_LUPDATE),
            { QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-silent"),
                QStringLiteral(QUILL_SOURCE_DIR "/src"), QStringLiteral("-ts"), fresh });
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        QSet<QString> known;
        for (const Message& message : readMessages(GermanFile))
            known.insert(message.context + u'\n' + message.source);
        const QList<Message> found = readMessages(fresh);
        QVERIFY(found.size() > 100);
        QStringList missing;
        for (const Message& message : found) {
            if (!known.contains(message.context + u'\n' + message.source))
                missing << message.context + QStringLiteral(": ") + message.source;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

    void germanIsLoadedForGermanLocalesOnly_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("german");
        QTest::newRow("Germany") << "de_DE" << true;
        QTest::newRow("Austria") << "de_AT" << true;
        QTest::newRow("Switzerland") << "de_CH" << true;
        QTest::newRow("Luxembourg") << "de_LU" << true;
        QTest::newRow("United States") << "en_US" << false;
        QTest::newRow("Britain") << "en_GB" << false;
        QTest::newRow("France: no translation") << "fr_FR" << false;
        QTest::newRow("C") << "C" << false;
    }

    void germanIsLoadedForGermanLocalesOnly()
    {
        QFETCH(QString, locale);
        QFETCH(bool, german);
        const QStringList loaded = installTranslations(*qApp, QLocale(locale), BuildFolders);
        MainWindowLayout form;
        if (!german) {
            QVERIFY(loaded.isEmpty());
            QCOMPARE(form.backupNowButton->text(), QStringLiteral("Backup Now (Test)"));
            return;
        }
        QVERIFY(!loaded.isEmpty());
        QVERIFY(loaded.first().endsWith(QStringLiteral("/translations/quillstead_de.qm")));
        QVERIFY(form.backupNowButton->text() != QStringLiteral("Backup Now (Test)"));
        // Qt's own buttons speak German too, where the system has Qt's translation.
        if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm")) {
            QCOMPARE(loaded.size(), 2);
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        }
    }

    // Every text of the three windows is in German, and no caption needs more
    // room than its control gives it, or than the English caption needs.
    void everyWindowSpeaksGerman()
    {
        QList<QMap<QString, QString>> english;
        OpenWindows inEnglish;
        for (QWidget* window : inEnglish.windows) {
            QVERIFY(window);
            english << textsOf(*window);
        }
        QSet<QString> sameInGerman { QStringLiteral("OK") }; // as "Filter" is German too
        for (const Message& message : readMessages(GermanFile)) {
            if (message.translation == message.source)
                sameInGerman << message.source;
        }

        installTranslations(*qApp, QLocale(QStringLiteral("de_DE")), BuildFolders);
        OpenWindows inGerman;
        for (int i = 0; i < inGerman.windows.size(); ++i) {
            const QMap<QString, QString> german = textsOf(*inGerman.windows[i]);
            for (auto text = english[i].cbegin(); text != english[i].cend(); ++text) {
                if (text.value() == QStringLiteral("Quillstead") || sameInGerman.contains(text.value()))
                    continue;
                QVERIFY2(
                    german.value(text.key()) != text.value(), qPrintable(text.key() + ": " + text.value()));
            }
            for (QAbstractButton* button : inGerman.windows[i]->findChildren<QAbstractButton*>()) {
                auto* inEnglishWindow
                    = inEnglish.windows[i]->findChild<QAbstractButton*>(button->objectName());
                if (!inEnglishWindow || button->objectName().isEmpty()
                    || !button->isVisibleTo(inGerman.windows[i]))
                    continue;
                // Where the English caption needs more room than it has, the
                // German may need as much, no more.
                const int room = std::max(button->width(), inEnglishWindow->sizeHint().width());
                QVERIFY2(button->sizeHint().width() <= room, qPrintable(button->text()));
            }
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
