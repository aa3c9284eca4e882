#include "TestMedia.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// quellin-cli with speech recognition: the whole pipeline from a media file to sentences with text.
class SentencesCliTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    TestMedia::Speech m_speech;

    struct Run {
        int status = -1;
        QByteArray out;
        QString err;
    };

    // Runs quellin-cli in a home of its own: its cache, settings and model folders.
    Run cli(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.insert(QString::fromLatin1(name), home(name));
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("QUELLIN_CLI"), arguments);
        if (!process.waitForFinished(900000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString home(const char* variable) const {
        return m_folder.filePath(QString::fromLatin1(variable).toLower());
    }

    QJsonObject json(const QStringList& arguments) const {
        const Run run = cli(arguments + QStringList{"--format", "json"});
        if (run.status != 0)
            qWarning("%s", qPrintable(run.err));
        return QJsonDocument::fromJson(run.out).object();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(!qEnvironmentVariable("QUELLIN_CLI").isEmpty());
        m_speech = TestMedia::speech(
            m_folder.filePath("media"), "talk.wav",
            {"My brother bought a new car last week.",
             QStringLiteral("She reads a book every night before she goes to sleep."),
             QStringLiteral("We are going to visit our friends in the city tomorrow.")},
            1.0);
    }

    void oneSentenceWithTextPerSpokenSentence() {
        // An MP3, compressed as most podcasts are.
        const QString mp3 = TestMedia::convert(m_speech.path, m_folder.filePath("media/talk.mp3"));
        const QJsonObject result = json({"sentences", mp3, "--language", "en-US"});
        QCOMPARE(result.value("method").toObject(), SplitMethod::speech("en-US").toJson());
        QVERIFY(!result.contains("notice"));
        const QJsonArray sentences = result.value("sentences").toArray();
        QCOMPARE(sentences.size(), qsizetype(m_speech.sentences.size()));
        for (qsizetype i = 0; i < sentences.size(); ++i) {
            const Sentence sentence = Sentence::fromJson(sentences[i]);
            const TimeRange spoken = m_speech.sentences[size_t(i)];
            QVERIFY(sentence.text && sentence.text->split(QLatin1Char(' ')).size() >= 4);
            QVERIFY2(qAbs(sentence.start - spoken.start) < 0.4 &&
                         qAbs(sentence.end - spoken.end) < 0.4,
                     qPrintable(QString::number(i)));
        }
    }

    void fallBacksExplainThemselves() {
        // The window's saved language is used when none is given.
        QDir().mkpath(home("XDG_CONFIG_HOME") + "/Quellin");
        TestMedia::textFile(home("XDG_CONFIG_HOME") + "/Quellin/Quellin.conf",
                            "[General]\nlanguage=de-DE\n");
        const QJsonObject result = json({"sentences", m_speech.path});
        QDir(home("XDG_CONFIG_HOME")).removeRecursively();
        QCOMPARE(result.value(QStringLiteral("notice")).toString(),
                 QStringLiteral("On-device recognition for German (Germany) isn’t on this "
                                "computer. Put its speech model in %1/Quellin/Models/de-DE, then "
                                "choose Find Sentences Again.")
                     .arg(home("XDG_DATA_HOME")));
        QCOMPARE(result.value(QStringLiteral("method")).toObject(), SplitMethod::pauses().toJson());
        QCOMPARE(result.value(QStringLiteral("sentences")).toArray().size(),
                 qsizetype(m_speech.sentences.size()));
    }

    void listsLanguages() {
        const Run run = cli({"languages"});
        QCOMPARE(run.status, 0);
        const QStringList lines =
            QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 9);
        QCOMPARE(lines.first().section(QLatin1Char('\t'), 0, 2),
                 QStringLiteral("en-US\tEnglish (United States)\ton device"));
        QVERIFY(lines.contains(
            QStringLiteral("de-DE\tGerman (Germany)\tnot on device\t%1/Quellin/Models/de-DE")
                .arg(home("XDG_DATA_HOME"))));
        QCOMPARE(cli({QStringLiteral("languages"), QStringLiteral("extra")}).status, 2);
    }
};

QTEST_GUILESS_MAIN(SentencesCliTest)
#include "SentencesCliTest.moc"
