// Runs the shared conformance cases for the settings file: every read and every write, byte for byte.
#include "settings/IniStore.h"

#include "SettingsFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

namespace {

// The cases hold one byte per character.
QByteArray bytesOf(const QJsonValue& v) { return v.toString().toLatin1(); }
QString textOf(const QJsonValue& v) { return QString::fromUtf8(bytesOf(v)); }

class ProfileCases : public SettingsDirTest {
protected:
    void SetUp() override
    {
        SettingsDirTest::SetUp();
        cases = QJsonDocument::fromJson(readFile(QStringLiteral(TAVREL_TEST_DATA "/profile-cases.json"))).object();
        ASSERT_FALSE(cases.isEmpty()) << "cannot load " TAVREL_TEST_DATA "/profile-cases.json";
    }
    QJsonObject cases;
};

TEST_F(ProfileCases, Reads)
{
    const QJsonArray reads = cases.value("reads").toArray();
    ASSERT_GT(reads.size(), 20);
    for (const QJsonValue& item : reads) {
        const QJsonObject c = item.toObject();
        SCOPED_TRACE(c.value("case").toString().toStdString());
        ASSERT_TRUE(writeFile(path, bytesOf(c.value("file"))));
        tavrel::IniStore store(path);
        const QString got = store.read(textOf(c.value("section")), textOf(c.value("key")));
        EXPECT_EQ(got.toUtf8().toStdString(), bytesOf(c.value("value")).toStdString());
    }
}

// Each write case runs twice: through one store for all its writes (its parsed copy patched after each
// write), and with a fresh store per write (the file parsed every time). Both must give the same bytes.
TEST_F(ProfileCases, Writes)
{
    const QJsonArray writes = cases.value("writes").toArray();
    ASSERT_GT(writes.size(), 20);
    for (const QJsonValue& item : writes) {
        const QJsonObject c = item.toObject();
        for (const bool freshStore : {false, true}) {
            SCOPED_TRACE(c.value("case").toString().toStdString() + (freshStore ? " (fresh store per write)" : ""));
            QFile::remove(path);
            const QJsonValue before = c.value("file_before");
            ASSERT_TRUE(before.isNull() || writeFile(path, bytesOf(before)));

            auto store = std::make_unique<tavrel::IniStore>(path);
            bool allOk = true;
            for (const QJsonValue& w : c.value("writes").toArray()) {
                const QJsonArray args = w.toArray();
                if (freshStore)
                    store = std::make_unique<tavrel::IniStore>(path);
                allOk = store->write(textOf(args[0]), textOf(args[1]), textOf(args[2])) && allOk;
            }
            EXPECT_EQ(allOk, c.value("ok").toBool());
            EXPECT_EQ(readFile(path).toStdString(), bytesOf(c.value("file_after")).toStdString());
        }
    }
}

} // namespace
