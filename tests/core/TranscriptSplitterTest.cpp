#include "split/TranscriptSplitter.h"
#include "split/SentenceSplice.h"
#include "TimedLists.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

Sentence spoken(double start, double end, const char16_t* text) {
    return Sentence(start, end, QString::fromUtf16(text));
}

Word word(const char16_t* text, double start, double end) {
    return Word(QString::fromUtf16(text), start, end - start);
}

// Words without punctuation: "w0", "w1", … each `length` s long and `gap` s apart; the words from
// `shiftFrom` on start `shift` s later.
std::vector<Word> evenWords(int count, double length, double gap, int shiftFrom = 0,
                            double shift = 0) {
    std::vector<Word> words;
    for (int i = 0; i < count; ++i)
        words.emplace_back(u"w%1"_s.arg(i), i * (length + gap) + (i >= shiftFrom ? shift : 0),
                           length);
    return words;
}

QString joined(const std::vector<Word>& words, size_t from, size_t to) {
    QStringList texts;
    for (size_t k = from; k < to; ++k)
        texts.append(words[k].text);
    return texts.join(u' ');
}

Sentences group(const std::vector<Word>& words, double duration = 0,
                const TranscriptSplitter& splitter = TranscriptSplitter()) {
    return {splitter.sentences(words, duration)};
}

} // namespace

class TranscriptSplitterTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sentenceEndings() {
        const QString ends = u"end.|end?|end!|end\u2026|\u7D42\u308F\u308A\u3002|\u4F55\uFF1F|"
                             u"\u306F\u3044\uFF01|\u0645\u0627\u0630\u0627\u061F|"
                             u"\u0928\u0939\u0940\u0902\u0964|end.\"|end.'|end.\u00BB|end.\u201D|"
                             u"end.\u2019|(end.)|[end.]|\u300Cend\u3002\u300D|"
                             u"\u300Eend\u3002\u300F| end. |end.\u201D)|U.S.|Mrs.Smith."_s;
        for (const QString& text : ends.split(u'|'))
            QVERIFY2(TranscriptSplitter::endsSentence(text), qPrintable(text));
        const QString others = u"|end|3.5|\u201D|\"'\u00BB)|.x|end.\u00AB|Mr.|MR.|mrs.|Ms.|Dr.|"
                               u"St.|Sr.|Sra.|Srta.|etc.|E.g.|i.e.|vs.|Prof."_s;
        for (const QString& text : others.split(u'|'))
            QVERIFY2(!TranscriptSplitter::endsSentence(text), qPrintable(text));
    }

    void punctuationEndsSentencesOnceLongEnough() {
        QCOMPARE(group({word(u"Hello", 1.0, 1.4), word(u"Mr.", 1.5, 1.8), word(u"Smith.", 1.9, 2.3),
                        word(u"How", 2.4, 2.6), word(u"are", 2.7, 2.9), word(u"you?", 3.0, 3.5)}),
                 (Sentences{{spoken(0.85, 2.35, u"Hello Mr. Smith."),
                             spoken(2.35, 3.75, u"How are you?")}}));
        // A short exclamation runs on into what follows, unless it lasts 0.6 s or a pause of
        // 0.7 s follows it.
        QCOMPARE(group({word(u"Oh!", 0.0, 0.3), word(u"I", 0.4, 0.5), word(u"see.", 0.6, 1.0)}),
                 (Sentences{{spoken(0, 1.25, u"Oh! I see.")}}));
        QCOMPARE(group({word(u"Oh!", 0.0, 0.6), word(u"I", 0.7, 0.8), word(u"see.", 0.9, 1.2)}),
                 (Sentences{{spoken(0, 0.65, u"Oh!"), spoken(0.65, 1.45, u"I see.")}}));
        QCOMPARE(group({word(u"Oh!", 0.5, 1.0), word(u"I", 1.7, 1.8), word(u"see.", 1.9, 2.5)}),
                 (Sentences{{spoken(0.35, 1.25, u"Oh!"), spoken(1.55, 2.75, u"I see.")}}));
        QCOMPARE(group({word(u"Oh!", 0.5, 1.0), word(u"I", 1.69, 1.8), word(u"see.", 1.9, 2.5)}),
                 (Sentences{{spoken(0.35, 2.75, u"Oh! I see.")}}));
    }

    void unpunctuatedWordsBreakAtPausesAndLength() {
        // Forty words of 0.25 s every 0.5 s pass 15 s at the 31st; with equal gaps the cut goes
        // to the middle boundary, and a wider gap wins over the middle.
        const std::vector<Word> even = evenWords(40, 0.25, 0.25);
        QCOMPARE(group(even), (Sentences{{Sentence(0, 7.375, joined(even, 0, 15)),
                                          Sentence(7.375, 20.0, joined(even, 15, 40))}}));
        const std::vector<Word> widened = evenWords(40, 0.25, 0.25, 10, 0.25);
        QCOMPARE(group(widened), (Sentences{{Sentence(0, 5.0, joined(widened, 0, 10)),
                                             Sentence(5.1, 20.25, joined(widened, 10, 40))}}));
        // A silence of 0.75 s ends a sentence whatever its length; a single word longer than the
        // longest sentence stands alone.
        const std::vector<Word> paused = evenWords(6, 0.25, 0.25, 3, 0.5);
        QCOMPARE(group(paused), (Sentences{{Sentence(0, 1.5, joined(paused, 0, 3)),
                                            Sentence(1.85, 3.5, joined(paused, 3, 6))}}));
        QCOMPARE(group({word(u"a", 0.5, 1.0), word(u"long", 1.1, 17.1), word(u"b", 17.2, 17.5)}),
                 (Sentences{{spoken(0.35, 1.05, u"a"), spoken(1.05, 17.15, u"long"),
                             spoken(17.15, 17.75, u"b")}}));
    }

    void textJoinsTrimmedWords() {
        const std::vector<Word> words{word(u" \u4ECA\u65E5\u306F", 1.0, 1.3),
                                      word(u"\t\u6674\u308C\u3000", 1.3, 1.6),
                                      word(u"\u3067\u3059\u3002 ", 1.6, 2.0)};
        for (const QString& code : u"ja zh yue th lo my km ZH Ja"_s.split(u' '))
            QCOMPARE(group(words, 0, TranscriptSplitter(code)).list.at(0).text,
                     u"\u4ECA\u65E5\u306F\u6674\u308C\u3067\u3059\u3002"_s);
        for (const QString& code : u"en zh-Hans ja-JP  jav"_s.split(u' '))
            QCOMPARE(group(words, 0, TranscriptSplitter(code)).list.at(0).text,
                     u"\u4ECA\u65E5\u306F \u6674\u308C \u3067\u3059\u3002"_s);

        // Words of white space alone are left out, also from the pauses between words.
        const std::vector<Word> blanks{word(u"Hi", 0.2, 0.5), word(u" \t", 0.6, 1.5),
                                       word(u"", 1.0, 1.1), word(u"there", 1.3, 1.6)};
        QCOMPARE(group(blanks),
                 (Sentences{{spoken(0.05, 0.75, u"Hi"), spoken(1.15, 1.85, u"there")}}));
        QCOMPARE(group({word(u" ", 0, 1), word(u"\t", 1, 2)}), Sentences{});
        QCOMPARE(group({}), Sentences{});

        // Confidence: the words' mean weighted by their length, leaving out words without one.
        std::vector<Word> heard{word(u"long", 0, 0.3), word(u"short", 0.3, 0.4),
                                word(u"unrated", 0.4, 0.9)};
        heard[0].confidence = 0.9;
        heard[1].confidence = 0.3;
        QCOMPARE(group(heard).list.at(0).confidence, 0.75);
        QCOMPARE(group(blanks).list.at(0).confidence, std::nullopt);
    }

    void paddingStopsAtMidpointsAndEnds() {
        const std::vector<Word> words{word(u"One.", 0.1, 1.0), word(u"Two.", 1.2, 2.0),
                                      word(u"Three.", 3.0, 9.9)};
        // Padding reaches 0 at the start and the duration at the end; 0.2 s apart the sentences
        // meet in the middle. Without a known duration the end is not limited.
        QCOMPARE(group(words, 10.0),
                 (Sentences{{spoken(0, 1.1, u"One."), spoken(1.1, 2.25, u"Two."),
                             spoken(2.85, 10.0, u"Three.")}}));
        QCOMPARE(group(words, -1).list.back().end, 9.9 + 0.25);
    }

    void everyStretchOfSoundKeepsASentence() {
        // Stretches of sound from the pause split: one heard, one the recogniser heard nothing
        // in, one too short to count, and one of which it heard only the start.
        const std::vector<Word> words{word(u"One.", 1.0, 1.5), word(u"Partly", 10.2, 10.6)};
        const std::vector<TimeRange> stretches{{0.85, 1.65}, {5.0, 5.5}, {8.0, 8.25}, {10.0, 13.0}};
        QCOMPARE(Sentences{TranscriptSplitter().sentences(words, 20, stretches)},
                 (Sentences{{spoken(0.85, 1.75, u"One."), spoken(5.0, 5.5, u""),
                             spoken(9.85, 13.25, u"Partly")}}));
    }

    void mergeReplacesWhatTheLaterListCovers() {
        // Earlier words starting 0.01 s or less before the later list are taken as the same; a
        // later list that starts before everything replaces it all.
        const std::vector<Word> earlier{word(u"a", 0, 1),       word(u"b", 1, 2),
                                        word(u"c", 2, 2.5),     word(u"c2", 2.985, 2.99),
                                        word(u"d", 2.995, 3.5), word(u"e", 3.5, 4)};
        const std::vector<Word> later{word(u"D", 3.0, 3.5), word(u"E", 3.5, 4.2)};
        QCOMPARE(TranscriptSplitter::merge(earlier, {}), earlier);
        QCOMPARE(TranscriptSplitter::merge({}, later), later);
        QCOMPARE(TranscriptSplitter::merge(earlier, later),
                 (std::vector<Word>{earlier[0], earlier[1], earlier[2], earlier[3], later[0],
                                    later[1]}));
        QCOMPARE(TranscriptSplitter::merge(earlier, {word(u"x", 0, 1)}),
                 (std::vector<Word>{word(u"x", 0, 1)}));
    }

    void foundSentencesTakeOnlyTheirStretches() {
        // Pause-split sentences; recognition has done 4–10 s. Found sentences outside it are not
        // yet final; one reaching past it widens it; what stays outside keeps its part there
        // (unless shorter than a quarter second), and a kept span stays exactly as it is.
        const std::vector<Sentence> present{spoken(0, 3, u""), spoken(3.5, 5, u""),
                                            spoken(6, 8, u""), spoken(9, 12, u""),
                                            spoken(11.5, 14, u"")};
        const std::vector<Sentence> found{spoken(1, 2, u"early"), spoken(4.5, 6.5, u"one"),
                                          spoken(7, 10.2, u"two"), spoken(12, 13, u"late")};
        QCOMPARE(
            Sentences{splicedSentences(present, found, {{4, 7}, {7, 10}})},
            (Sentences{{spoken(0, 3, u""), spoken(3.5, 4, u""), spoken(4.5, 6.5, u"one"),
                        spoken(7, 10.2, u"two"), spoken(10.2, 12, u""), spoken(11.5, 14, u"")}}));
        QCOMPARE(Sentences{splicedSentences(present, found, {{4, 10}}, TimeRange(6, 8))},
                 (Sentences{{spoken(0, 3, u""), spoken(3.5, 4, u""), spoken(4.5, 6, u"one"),
                             spoken(6, 8, u""), spoken(8, 10.2, u"two"), spoken(10.2, 12, u""),
                             spoken(11.5, 14, u"")}}));
        QCOMPARE(Sentences{splicedSentences(present, {}, {})}, Sentences{present});
    }
};

QTEST_GUILESS_MAIN(TranscriptSplitterTest)
#include "TranscriptSplitterTest.moc"
