#include "align/TranscriptAlignment.h"
#include "align/SpeechSynthesis.h"
#include "align/TranscriptText.h"
#include "TestMedia.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TranscriptAlignmentTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

private Q_SLOTS:
    void sentencesOfTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("sentences");
        QTest::newRow("terminators, abbreviations")
            << u"Hello Mr. Smith.  How are\nyou? Fine!"_s
            << QStringList{u"Hello Mr. Smith."_s, u"How are you?"_s, u"Fine!"_s};
        QTest::newRow("blank line, notes")
            << u"[music]\nA title\n\n(laughs)\nIt begins (slowly)\n* * *\nhere.\n[Applause]"_s
            << QStringList{u"A title"_s, u"It begins (slowly) here."_s};
        QTest::newRow("full-width")
            << u"\u4ECA\u65E5\u306F\u3002\u300C\u306F\u3044\uFF01\u300D\u3069\u3046\uFF1F"_s
            << QStringList{u"\u4ECA\u65E5\u306F\u3002"_s, u"\u300C\u306F\u3044\uFF01\u300D"_s,
                           u"\u3069\u3046\uFF1F"_s};
        QTest::newRow("nothing") << u" \n[music]\n"_s << QStringList{};
    }
    void sentencesOfTheText() {
        QFETCH(QString, text);
        QFETCH(QStringList, sentences);
        QCOMPARE(transcriptSentenceTexts(text), sentences);
    }

    void languagesOfTheVoices() {
        const std::vector<SynthesisLanguage> languages = synthesisLanguages();
        for (const SynthesisLanguage& expected :
             {SynthesisLanguage{u"de"_s, u"German"_s},
              SynthesisLanguage{u"pt-br"_s, u"Portuguese (Brazil)"_s},
              SynthesisLanguage{u"en-029"_s, u"English (Caribbean)"_s}})
            QVERIFY(std::find(languages.begin(), languages.end(), expected) != languages.end());
        QVERIFY(hasSynthesisVoice(u"pt_BR"_s) && hasSynthesisVoice(u"en-NZ"_s) &&
                !hasSynthesisVoice(u"xx"_s));
    }

    void alignsReadings_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("voice"); // the reader's, unlike the synthesis
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<int>("missing"); // the sentence of the text the reader leaves out
        QTest::newRow("English")
            << u"en-US"_s << u"en+m3"_s << QStringList{u"-s140"_s, u"-p70"_s}
            << QStringList{u"Chapter one."_s, u"The train left the station early in the morning."_s,
                           u"Nobody on the platform noticed the small grey cat."_s,
                           u"It slept on a bench until noon."_s,
                           u"Then a child gave it some bread and milk."_s}
            << 0;
        QTest::newRow("German") << u"de"_s << u"de+f2"_s << QStringList{u"-s210"_s, u"-p30"_s}
                                << QStringList{u"Wir treffen uns morgen um acht Uhr am Bahnhof."_s,
                                               u"Vergiss bitte deine Fahrkarte nicht."_s,
                                               u"Das Wetter soll schön und warm werden."_s,
                                               u"Danach gehen wir zusammen in die Berge."_s}
                                << 2;
        QTest::newRow("Spanish")
            << u"es"_s << u"es+m1"_s << QStringList{u"-s150"_s, u"-p65"_s}
            << QStringList{u"Mi hermana vive en una casa pequeña cerca del mar."_s,
                           u"Cada mañana camina por la playa con su perro."_s,
                           u"Los domingos cocina para toda la familia."_s,
                           u"Después dormimos la siesta en el jardín."_s}
            << 1;
        QTest::newRow("Russian") << u"ru"_s << u"ru+m2"_s << QStringList{u"-s145"_s, u"-p60"_s}
                                 << QStringList{u"Вчера мы ходили в большой городской музей."_s,
                                                u"Там было много старых картин и книг."_s,
                                                u"Потом мы пили чай в маленьком кафе."_s,
                                                u"Домой мы вернулись поздно вечером."_s}
                                 << 3;
    }
    void alignsReadings() {
        QFETCH(QString, language);
        QFETCH(QString, voice);
        QFETCH(QStringList, options);
        QFETCH(QStringList, sentences);
        QFETCH(int, missing);
        QStringList read = sentences;
        read.removeAt(missing);
        const TestMedia::Speech speech =
            TestMedia::speech(m_folder.path(), QTest::currentDataTag() + u".wav"_s, read, 0.8,
                              voice, options, {0.4, 1.5, 0.7, 2.5});
        const EnergyProfile profile = EnergyProfile::read(speech.path, 0.01);
        const std::vector<Sentence> found =
            transcriptSentences(sentences.join(u"\n"_s), language, speech.path, profile, {});
        QCOMPARE(found.size(), size_t(read.size()));
        for (size_t k = 0; k < found.size(); ++k) {
            const QString where = u"%1: %2–%3 s, read at %4–%5 s"_s.arg(read[k])
                                      .arg(found[k].start)
                                      .arg(found[k].end)
                                      .arg(speech.sentences[k].start)
                                      .arg(speech.sentences[k].end);
            QCOMPARE(found[k].text, read[k]);
            QVERIFY2(std::abs(found[k].start - speech.sentences[k].start) <= 0.3,
                     qPrintable(where));
            QVERIFY2(std::abs(found[k].end - speech.sentences[k].end) <= 0.3, qPrintable(where));
        }

        // A text in another language, with its voice (espeak-ng's voices resemble each other, so
        // only the English reader's differs enough), a text far shorter than the recording, no
        // text: the transcript does not fit.
        const auto german = u"Wir gehen heute in den Park. Danach essen wir zu Hause."_s;
        for (const auto& [wrong, itsLanguage] :
             {std::pair(language == u"en-US" ? german : u""_s, u"de"_s),
              std::pair(read.first(), language), std::pair(u"[music]"_s, language)})
            QVERIFY_THROWS_EXCEPTION(
                TranscriptError, transcriptSentences(wrong, itsLanguage, speech.path, profile, {}));

        std::stop_source stopped;
        stopped.request_stop();
        QVERIFY_THROWS_EXCEPTION(OperationCancelled,
                                 transcriptSentences(sentences.join(u' '), language, speech.path,
                                                     profile, stopped.get_token()));
    }

    void readsTranscriptFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // empty: not text
        const QString russian = u"Вчера мы ходили в музей. Там было много старых картин и книг."_s;
        QTest::newRow("UTF-8") << "Gr\xC3\xBC\xC3\x9F Gott."_ba << u"Grüß Gott."_s;
        QTest::newRow("UTF-8 marked") << "\xEF\xBB\xBFHola."_ba << u"Hola."_s;
        QTest::newRow("Windows-1251")
            << QByteArray(QStringEncoder("windows-1251").encode(russian)) << russian;
        QTest::newRow("binary") << "PK\x03\x04\x00\x00\xFF\xFE"_ba << QString();
    }
    void readsTranscriptFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = TestMedia::textFile(m_folder.filePath(u"t.txt"_s), bytes);
        if (text.isEmpty())
            QVERIFY_THROWS_EXCEPTION(TranscriptError, readTranscriptFile(path));
        else
            QCOMPARE(readTranscriptFile(path), text);
    }
};

QTEST_GUILESS_MAIN(TranscriptAlignmentTest)
#include "TranscriptAlignmentTest.moc"
