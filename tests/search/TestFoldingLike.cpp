#include "FoldingLike.h"

#include <QTest>

#include <sqlite3.h>

class TestFoldingLike : public QObject
{
    Q_OBJECT

private slots:
    void match_data();
    void match();
    void escape();
    void occurrences_data();
    void occurrences();
    void throughSqlite();
};

void TestFoldingLike::match_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");
    // Wildcards
    QTest::newRow("any run inside") << "%نماز%"
                                    << "درباره نماز جمعه" << true;
    QTest::newRow("any run, absent") << "%روزه%"
                                     << "درباره نماز جمعه" << false;
    QTest::newRow("empty phrase matches all") << "%%"
                                              << "هر متنی" << true;
    QTest::newRow("empty phrase, empty text") << "%%"
                                              << "" << true;
    QTest::newRow("one character") << "%ن_از%"
                                   << "نماز" << true;
    QTest::newRow("one character needs one") << "%ن_ماز%"
                                             << "نماز" << false;
    QTest::newRow("no wildcard is whole text") << "نماز"
                                               << "نماز" << true;
    QTest::newRow("no wildcard, longer text") << "نماز"
                                              << "نمازها" << false;
    QTest::newRow("percent inside the phrase") << "%حج%واجب%"
                                               << "حج بر هر مستطیعی واجب است" << true;
    QTest::newRow("percent inside, wrong order") << "%واجب%حج%"
                                                 << "حج بر هر مستطیعی واجب است" << false;
    QTest::newRow("backtracking") << "%aab%"
                                  << "aaab" << true;
    QTest::newRow("trailing any one") << "%ab_"
                                      << "xxabc" << true;
    QTest::newRow("quote is plain") << "%it's%"
                                    << "and it's here" << true;
    QTest::newRow("blanks are a phrase") << "%  %"
                                         << "one  two" << true;
    QTest::newRow("blanks are a phrase, absent") << "%  %"
                                                 << "one two" << false;
    // Case and letter variants
    QTest::newRow("ascii case") << "%QURAN%"
                                << "the Quran" << true;
    QTest::newRow("non-ascii case is kept") << "%É%"
                                            << "é" << false;
    QTest::newRow("farsi yeh finds arabic yeh") << "%ایمان%"
                                                << "ايمان" << true;
    QTest::newRow("arabic yeh finds farsi yeh") << "%ايمان%"
                                                << "ایمان" << true;
    QTest::newRow("alef maksura") << "%موسی%"
                                  << "موسى" << true;
    QTest::newRow("keheh finds arabic kaf") << "%کتاب%"
                                            << "كتاب" << true;
    QTest::newRow("arabic kaf finds keheh") << "%كتاب%"
                                            << "کتاب" << true;
    QTest::newRow("persian digits") << "%۱۲%"
                                    << "سوره 12" << true;
    QTest::newRow("arabic-indic digits") << "%١٢%"
                                         << "سوره ۱۲" << true;
    QTest::newRow("ascii digits") << "%12%"
                                  << "سوره ١٢" << true;
    QTest::newRow("different digits") << "%13%"
                                      << "سوره ۱۲" << false;
    // Ignored marks
    QTest::newRow("tatweel in text") << "%محمد%"
                                     << "محـــمد" << true;
    QTest::newRow("tatweel in pattern") << "%محـمد%"
                                        << "محمد" << true;
    QTest::newRow("diacritics in text") << "%کتاب%"
                                        << "کِتَابٌ" << true;
    QTest::newRow("diacritics in pattern") << "%رَحمة%"
                                           << "رحمة" << true;
    QTest::newRow("superscript alef") << "%رحمن%"
                                      << "رحمٰن" << true;
    QTest::newRow("zero-width non-joiner") << "%میشود%"
                                           << "می\u200Cشود" << true;
    QTest::newRow("underscore never matches an ignored mark alone") << "%ب_ت%"
                                                                    << "بَت" << false;
    // Alef forms, also written with the hamza or madda as a mark of their own
    QTest::newRow("alef with hamza above") << "%امام%"
                                           << "أمام" << true;
    QTest::newRow("alef with hamza below") << "%اسلام%"
                                           << "إسلام" << true;
    QTest::newRow("alef wasla") << "%بسم الله%"
                                << "بسم ٱلله" << true;
    QTest::newRow("typed hamza finds plain alef") << "%أمام%"
                                                  << "امام" << true;
    QTest::newRow("alef madda") << "%قران%"
                                << "قرآن" << true;
    QTest::newRow("alef madda typed finds plain alef") << "%قرآن%"
                                                       << "قران" << true;
    QTest::newRow("alef madda, decomposed") << "%قرآن%"
                                            << "قرا\u0653ن" << true;
    QTest::newRow("alef hamza, decomposed") << "%أمام%"
                                            << "ا\u0654مام" << true;
    QTest::newRow("waw with hamza") << "%مومن%"
                                    << "مؤمن" << true;
    QTest::newRow("yeh with hamza") << "%مسايل%"
                                    << "مسائل" << true;
    QTest::newRow("yeh barree") << "%علی%"
                                << "علے" << true;
    // Heh forms
    QTest::newRow("heh with yeh above") << "%خانه ما%"
                                        << "خانۀ ما" << true;
    QTest::newRow("heh and hamza above") << "%خانه ما%"
                                         << "خانه\u0654 ما" << true;
    QTest::newRow("heh goal") << "%الله%"
                              << "اللہ" << true;
    QTest::newRow("heh goal with hamza") << "%خانه%"
                                         << "خانۂ" << true;
    QTest::newRow("teh marbuta is heh") << "%فاطمه%"
                                        << "فاطمة" << true;
    QTest::newRow("heh finds teh marbuta") << "%فاطمة%"
                                           << "فاطمه" << true;
    QTest::newRow("teh marbuta is not teh") << "%رحمت%"
                                            << "رحمة" << false;
    // Every Arabic mark
    QTest::newRow("honorific sign") << "%محمد%"
                                    << "محمد\u0610" << true;
    QTest::newRow("small high ligature") << "%محمد%"
                                         << "مح\u0617مد" << true;
    QTest::newRow("shadda and sukun") << "%محمد%"
                                      << "مُحَمَّدْ" << true;
    QTest::newRow("wavy hamza below") << "%محمد%"
                                      << "مح\u065Fمد" << true;
    QTest::newRow("quranic small high seen") << "%رحيم%"
                                             << "رحي\u06DCم" << true;
    QTest::newRow("quranic stop signs") << "%العالمين%"
                                        << "العالمين\u06D6\u06D7\u06D8\u06D9\u06DA\u06DB" << true;
    QTest::newRow("quranic small marks") << "%رب%"
                                         << "ر\u06DF\u06E0\u06E1\u06E2\u06E3\u06E4\u06E7\u06E8ب" << true;
    QTest::newRow("quranic low marks") << "%رب%"
                                       << "ر\u06EA\u06EB\u06EC\u06EDب" << true;
    QTest::newRow("end of ayah is not a mark") << "%رب%"
                                               << "ر\u06DDب" << false;
    // Presentation forms and ligatures
    QTest::newRow("allah ligature in text") << "%الله%"
                                            << "بسم ﷲ" << true;
    QTest::newRow("allah ligature in pattern") << "%ﷲ%"
                                               << "بسم الله" << true;
    QTest::newRow("salla ligature") << "%صلى الله عليه وسلم%"
                                    << "محمد ﷺ" << true;
    QTest::newRow("isolated and final forms") << "%كتاب%"
                                              << "\uFEDB\uFE98\uFE8E\uFE8F" << true;
    QTest::newRow("lam alef ligature") << "%لا اله%"
                                       << "\uFEFB \uFE8D\uFEDF\uFEEA" << true;
    QTest::newRow("lam alef with hamza ligature") << "%لا%"
                                                  << "\uFEF7" << true;
    QTest::newRow("yeh forms of an older program") << "%علي%"
                                                   << "\uFECB\uFEE0\uFEF0" << true;
    QTest::newRow("spacing fatha form is a mark") << "%بت%"
                                                  << "ب\uFE76ت" << true;
    QTest::newRow("underscore stands for one letter of a ligature") << "%ل_%"
                                                                    << "\uFEFB" << true;
    // Format characters and spaces
    QTest::newRow("zero-width joiner") << "%محمد%"
                                       << "مح\u200Dمد" << true;
    QTest::newRow("direction marks") << "%محمد%"
                                     << "\u200Fمحمد\u200E" << true;
    QTest::newRow("embedding and override") << "%ab%"
                                            << "a\u202A\u202B\u202C\u202D\u202Eb" << true;
    QTest::newRow("isolates") << "%ab%"
                              << "a\u2066\u2067\u2068\u2069b" << true;
    QTest::newRow("byte order mark") << "%نماز%"
                                     << "\uFEFFنماز" << true;
    QTest::newRow("soft hyphen") << "%نماز%"
                                 << "نما\u00ADز" << true;
    QTest::newRow("no-break space is a blank") << "%نماز جمعه%"
                                               << "نماز\u00A0جمعه" << true;
    QTest::newRow("typed no-break space is a blank") << "%نماز\u00A0جمعه%"
                                                     << "نماز جمعه" << true;
    QTest::newRow("other unicode spaces") << "%a b c d%"
                                          << "a\u2002b\u2009c\u202Fd" << true;
    QTest::newRow("ideographic space") << "%a b%"
                                       << "a\u3000b" << true;
    // The non-joiner typed as a blank
    QTest::newRow("blank finds non-joiner") << "%می شود%"
                                            << "می\u200Cشود" << true;
    QTest::newRow("blank finds non-joiner, plural") << "%نشانه های%"
                                                    << "نشانه\u200Cهای" << true;
    QTest::newRow("blank finds non-joiner, beside other text") << "%ها شد%"
                                                               << "اینها\u200Cشد" << true;
    QTest::newRow("blank still finds blank") << "%می شود%"
                                             << "می شود" << true;
    QTest::newRow("non-joiner still ignored") << "%میشود%"
                                              << "می\u200Cشود" << true;
    QTest::newRow("typed non-joiner is ignored") << "%می\u200Cشود%"
                                                 << "میشود" << true;
    QTest::newRow("non-joiner beside a blank is one blank") << "%می شود%"
                                                            << "می\u200C شود" << true;
    QTest::newRow("two blanks need two") << "%می  شود%"
                                         << "می\u200Cشود" << false;
    QTest::newRow("underscore does not take a non-joiner") << "%می_شود%"
                                                           << "می\u200Cشود" << false;
    QTest::newRow("blank and non-joiner without wildcards") << "می شود"
                                                            << "می\u200Cشود" << true;
    QTest::newRow("trailing non-joiner at the end") << "%می"
                                                    << "می\u200C" << true;
    QTest::newRow("blank after a percent") << "%می%شود%"
                                           << "می\u200Cگفت شود" << true;
    // Over-folding
    QTest::newRow("blank where the text has none") << "%می شود%"
                                                   << "میشود" << false;
    QTest::newRow("blank where the text has none, compound") << "%کتاب خانه%"
                                                             << "کتابخانه" << false;
    QTest::newRow("no blank where the text has one") << "%کتابخانه%"
                                                     << "کتاب خانه" << false;
    QTest::newRow("longer word not found in a shorter one") << "%کتابها%"
                                                            << "کتاب" << false;
    QTest::newRow("letters added to a shorter word") << "%نمازی%"
                                                     << "نماز و روزه" << false;
    QTest::newRow("alef is not waw") << "%ا%"
                                     << "و" << false;
    QTest::newRow("underscore needs a letter, not a mark") << "%ن_از%"
                                                           << "نَماز" << true;
    QTest::newRow("underscore over a presentation form") << "%ب_ب%"
                                                         << "ب\uFE91ب" << true;
    QTest::newRow("percent over ignored text") << "%a%b%"
                                               << "a\u200Fb" << true;
    QTest::newRow("quotes stay plain") << "%\"قول\"%"
                                       << "او گفت \"قول\" را" << true;
    QTest::newRow("quotes are not ignored") << "%\"قول\"%"
                                            << "قول" << false;
}

void TestFoldingLike::match()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = text.toUtf8();
    QCOMPARE(FoldingLikeMatch({p.constData(), size_t(p.size())}, {t.constData(), size_t(t.size())}), matches);
}

void TestFoldingLike::escape()
{
    QVERIFY(FoldingLikeMatch("%10!%%", "10% off", U'!'));
    QVERIFY(!FoldingLikeMatch("%10!%%", "100 off", U'!'));
    QVERIFY(FoldingLikeMatch("a!_b", "a_b", U'!'));
    QVERIFY(!FoldingLikeMatch("a!_b", "axb", U'!'));
    // Invalid UTF-8 does not stop the matcher and matches only itself.
    QVERIFY(FoldingLikeMatch("%\xff%", "a\xff"
                                       "b"));
    QVERIFY(!FoldingLikeMatch("%\xfe%", "a\xff"
                                        "b"));
    QVERIFY(FoldingLikeMatch("%\xd8%", "\xd8"));
    // An escaped character is folded like any other.
    QVERIFY(FoldingLikeMatch("%!% قرآن%", "50% قران", U'!'));
    QVERIFY(FoldingLikeMatch("%می! شود%", "می\u200Cشود", U'!'));
    QVERIFY(!FoldingLikeMatch("%a!_b%", "axb", U'!'));
}

void TestFoldingLike::occurrences_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    // The text with each occurrence in brackets.
    QTest::addColumn<QString>("marked");
    QTest::newRow("each occurrence") << "%نماز%"
                                     << "نماز صبح و نماز ظهر"
                                     << "[نماز] صبح و [نماز] ظهر";
    QTest::newRow("none") << "%روزه%"
                          << "نماز"
                          << "نماز";
    QTest::newRow("other spellings") << "%کتاب%"
                                     << "كتاب و کِتابِ"
                                     << "[كتاب] و [کِتابِ]";
    QTest::newRow("non-joiner for a blank") << "%می شود%"
                                            << "گفته می\u200Cشود."
                                            << "گفته [می\u200Cشود].";
    QTest::newRow("ligature") << "%الله%"
                              << "بسم ﷲ"
                              << "بسم [ﷲ]";
    QTest::newRow("no overlapping") << "%aa%"
                                    << "aaaaa"
                                    << "[aa][aa]a";
    QTest::newRow("wildcards inside") << "%a_c%"
                                      << "abc adc"
                                      << "[abc] [adc]";
    QTest::newRow("shortest run") << "%a%c%"
                                  << "abcabc"
                                  << "[abc][abc]";
    QTest::newRow("ascii case") << "%ab%"
                                << "xABx"
                                << "x[AB]x";
    QTest::newRow("empty phrase marks nothing") << "%%"
                                                << "abc"
                                                << "abc";
    QTest::newRow("a phrase of marks alone marks nothing") << "\u064B"
                                                           << "abc"
                                                           << "abc";
}

void TestFoldingLike::occurrences()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, marked);
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = text.toUtf8();
    QByteArray result;
    size_t at = 0;
    for (const FoldedOccurrence& o :
         FoldingLikeOccurrences({p.constData(), size_t(p.size())}, {t.constData(), size_t(t.size())})) {
        result += t.mid(qsizetype(at), qsizetype(o.begin - at)) + '[' +
                  t.mid(qsizetype(o.begin), qsizetype(o.end - o.begin)) + ']';
        at = o.end;
    }
    result += t.mid(qsizetype(at));
    QCOMPARE(QString::fromUtf8(result), marked);
}

void TestFoldingLike::throughSqlite()
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    RegisterFoldingLike(db);
    const char* setup = "CREATE TABLE t(id INTEGER PRIMARY KEY, x TEXT);"
                        "INSERT INTO t(x) VALUES ('كتاب خدا'), ('کتاب'), ('نماز'), (NULL), ('50% off');";
    QCOMPARE(sqlite3_exec(db, setup, nullptr, nullptr, nullptr), SQLITE_OK);
    const auto count = [db](const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
            return -1;
        int rows = 0;
        int result = SQLITE_ROW;
        while ((result = sqlite3_step(statement)) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(statement);
        return result == SQLITE_DONE ? rows : -1;
    };
    QCOMPARE(count("SELECT * FROM  t where x like '%کتاب%'"), 2);
    QCOMPARE(count("SELECT * FROM  t where x like '%KTAB%'"), 0);
    QCOMPARE(count("SELECT * FROM  t where x not like '%کتاب%'"), 2);
    QCOMPARE(count("SELECT * FROM  t where x like '%0!%%' escape '!'"), 1);
    QCOMPARE(count("SELECT * FROM  t where x like '%' escape 'ab'"), -1);
    sqlite3_close(db);
}

QTEST_GUILESS_MAIN(TestFoldingLike)
#include "TestFoldingLike.moc"
