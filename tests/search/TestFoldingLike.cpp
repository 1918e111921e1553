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
