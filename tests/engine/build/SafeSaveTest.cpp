#include "engine/build/TemplateFile.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"
#include "engine/script/Stream.h"
#include "tests/engine/model/ViewTestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace vl;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes every write past `limit` bytes of a file fail, as a full disk
// would, for as long as it lives (also for the root user, whom folder
// permissions do not stop).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

class SafeSaveTest : public ::testing::Test {
protected:
    test::ViewStateGuard guard;
    QTemporaryDir dir;
    TvlReport report;

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // A page with a text object whose text makes the template `lines`
    // lines long.
    void fill(int lines) {
        report.Clear();
        auto memo = std::make_unique<TvlMemoView>();
        memo->Name = "Body";
        for (int i = 0; i < lines; ++i)
            memo->Memo.push_back("Line " + std::to_string(i) + " of the body text");
        report.Pages().Add().AddObject(std::move(memo));
        report.Dictionary().Variables.SetVariable(" Sums", Variant(""));
        report.Dictionary().Variables.SetVariable("Total", Variant("[Price] * 2"));
    }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files); }
};

} // namespace

// The old file stays byte for byte whichever file a failed write was
// meant to replace, and no temporary file is left beside it.
TEST_F(SafeSaveTest, AWriteErrorKeepsTheOldFileByteForByte) {
    const QString vlf = path("tasks.vlf"), vld = path("tasks.vld"), vlt = path("tasks.vlt");
    fill(3);
    report.SaveToFile(vlf);
    report.Dictionary().SaveToFile(vld);
    SaveTemplateFile(report, vlt, {{"Tasks"}, {}});
    const QByteArray oldVlf = contents(vlf), oldVld = contents(vld), oldVlt = contents(vlt);
    ASSERT_FALSE(oldVlf.isEmpty());

    fill(2000);
    for (int i = 0; i < 2000; ++i)
        report.Dictionary().Variables.SetVariable("Variable" + std::to_string(i),
                                                  Variant("[Price] * " + std::to_string(i)));
    {
        const FileSizeLimit full(static_cast<rlim_t>(oldVlf.size() + 16));
        EXPECT_THROW(report.SaveToFile(vlf), VlError);
        EXPECT_THROW(report.Dictionary().SaveToFile(vld), VlError);
        EXPECT_THROW(SaveTemplateFile(report, vlt, {{"Tasks"}, {}}), VlError);
    }
    EXPECT_EQ(contents(vlf), oldVlf);
    EXPECT_EQ(contents(vld), oldVld);
    EXPECT_EQ(contents(vlt), oldVlt);
    EXPECT_EQ(filesInDir(), (QStringList{"tasks.vld", "tasks.vlf", "tasks.vlt"}));

    report.SaveToFile(vlf); // without the limit the same save goes through
    EXPECT_GT(contents(vlf).size(), oldVlf.size());
}

TEST_F(SafeSaveTest, AnUnwritablePathRaisesAndCreatesNothing) {
    fill(1);
    QFile blocker(path("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(report.SaveToFile(path("plain-file/inside.vlf")), VlError);
    EXPECT_THROW(report.SaveToFile(path("missing/inside.vlf")), VlError);
    EXPECT_THROW(report.ExportXml(path("missing/inside.vl3")), VlError);
    EXPECT_EQ(filesInDir(), QStringList{"plain-file"});
}

TEST_F(SafeSaveTest, ASkeletonFileKeepsDescriptionPictureAndPages) {
    fill(2);
    QImage icon(8, 6, QImage::Format_RGB32);
    icon.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(icon.save(&buffer, "BMP"));
    TvlTemplateHeader header{{"Task list", "one line per task"}, {bmp.begin(), bmp.end()}};
    report.Pages().Add().Name = "Second";
    SaveTemplateFile(report, path("list.vlt"), header);

    const TvlTemplateHeader read = ReadTemplateHeader(path("list.vlt"));
    EXPECT_EQ(read.Description, header.Description);
    EXPECT_EQ(read.image().size(), QSize(8, 6));

    TvlReport other;
    other.Pages().Add();
    other.Pages().Add();
    other.Pages().Add();
    LoadTemplateFile(other, path("list.vlt"));
    ASSERT_EQ(other.Pages().Count(), 2);
    EXPECT_EQ(other.Pages()[1].Name, "Second");
    ASSERT_EQ(other.Pages()[0].Objects.size(), 1u);
    EXPECT_EQ(other.Pages()[0].Objects[0]->Memo, report.Pages()[0].Objects[0]->Memo);
    EXPECT_GE(other.Dictionary().Variables.IndexOf("Total"), 0);

    // Without a picture the byte says so and the pages follow at once.
    SaveTemplateFile(report, path("plain.vlt"), {{"Plain"}, {}});
    EXPECT_TRUE(ReadTemplateHeader(path("plain.vlt")).image().isNull());
}

TEST_F(SafeSaveTest, ADamagedSkeletonFileIsAnError) {
    fill(1);
    SaveTemplateFile(report, path("ok.vlt"), {{"Ok"}, {}});
    QByteArray bytes = contents(path("ok.vlt"));
    // The page part's position, just after the description, points past
    // the end of the file.
    const int at = bytes.indexOf("Ok") + 2;
    QByteArray broken = bytes;
    broken[at + 4] = '\x7f';
    QFile file(path("broken.vlt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(broken);
    file.close();
    EXPECT_THROW(ReadTemplateHeader(path("broken.vlt")), VlError);
    EXPECT_THROW(LoadTemplateFile(report, path("broken.vlt")), VlError);
    EXPECT_EQ(report.Pages().Count(), 1); // the report was not touched
}
