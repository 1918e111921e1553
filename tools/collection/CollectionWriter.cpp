#include "CollectionWriter.h"

#include <QFile>
#include <QStringList>

#include <sqlite3.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const char* const Words[] = {"خداوند",
                             "انسان",
                             "ایمان",
                             "رحمت",
                             "عدالت",
                             "نماز",
                             "روزه",
                             "دعا",
                             "پیامبر",
                             "قرآن",
                             "اخلاق",
                             "توبه",
                             "امید",
                             "صبر",
                             "شکر",
                             "نیکی",
                             "دانش",
                             "اندیشه",
                             "حکمت",
                             "زندگی",
                             "جهان",
                             "آفرینش",
                             "روح",
                             "دل",
                             "راه",
                             "مردم",
                             "جامعه",
                             "پرسش",
                             "پاسخ",
                             "باور",
                             "حقیقت",
                             "معنا",
                             "آرامش",
                             "مهربانی",
                             "بخشش",
                             "نیاز",
                             "است",
                             "بود",
                             "می‌شود",
                             "کرد",
                             "دارد",
                             "از",
                             "به",
                             "در",
                             "با",
                             "که",
                             "این",
                             "آن",
                             "برای",
                             "را",
                             "همه",
                             "هر",
                             "نیز",
                             "اما",
                             "زیرا",
                             "چنان‌که",
                             "می‌فرماید",
                             "آمده",
                             "روایت",
                             "سفارش",
                             "کتاب",
                             "یاد",
                             "يگانگي",
                             "كار",
                             "پيوند",
                             "نيكو",
                             "رسول",
                             "امام",
                             "بندگي",
                             "پروردگار",
                             "آسمان",
                             "زمين",
                             "نور",
                             "آيه"};
constexpr int WordCount = int(sizeof(Words) / sizeof(Words[0]));

class TextMaker
{
public:
    explicit TextMaker(unsigned seed) : m_random(seed) {}

    // About the given number of bytes of words, in sentences.
    std::string Text(int bytes)
    {
        std::string text;
        int sentence = 0;
        while (int(text.size()) < bytes) {
            if (!text.empty())
                text += ' ';
            text += Words[Pick(WordCount)];
            if (++sentence >= 8 + Pick(10)) {
                text += Pick(6) == 0 ? "؟" : ".";
                if (Pick(5) == 0)
                    text += '\n';
                sentence = 0;
            }
        }
        return text;
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    // A length around the average: from half to one and a half times it.
    int Around(int average) { return average / 2 + Pick(std::max(average, 1)); }

private:
    std::mt19937 m_random;
};

void Check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

} // namespace

void WriteCollection(const QString& path, const CollectionOptions& options)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const std::string error = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + std::string(name.constData()) + ": " + error);
    }
    sqlite3_stmt* insert = nullptr;
    try {
        Check(sqlite3_exec(db,
                           "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
                           "CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(255), porsesh MEMO,"
                           " pasokh MEMO, pavaraghi MEMO);"
                           "CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY id;",
                           nullptr, nullptr, nullptr),
              db);
        Check(sqlite3_prepare_v2(db,
                                 "INSERT INTO Table1 (kholase, porsesh, pasokh, pavaraghi) VALUES (?,?,?,?)",
                                 -1, &insert, nullptr),
              db);
        TextMaker maker(20251210u);
        // The answer carries most of an entry; title, question and sources share the rest.
        const int title = std::min(60, options.averageBytes / 8);
        const int question = options.averageBytes / 6;
        const int sources = options.averageBytes / 10;
        const int answer = std::max(1, options.averageBytes - title - question - sources);
        for (int i = 0; i < options.entries; ++i) {
            const std::string texts[] = {maker.Text(maker.Around(title)), maker.Text(maker.Around(question)),
                                         maker.Text(maker.Around(answer)), maker.Text(maker.Around(sources))};
            for (int c = 0; c < 4; ++c)
                Check(
                    sqlite3_bind_text(insert, c + 1, texts[c].data(), int(texts[c].size()), SQLITE_TRANSIENT),
                    db);
            Check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        insert = nullptr;
        Check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db);
    } catch (...) {
        sqlite3_finalize(insert);
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}
