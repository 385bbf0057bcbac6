#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {
// A file name in the temporary folder, removed again when the test ends.
class TTempFile {
public:
    TTempFile()
    {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "elv", 0, name);
        FName = name;
    }
    ~TTempFile() { DeleteFileA(FName.c_str()); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    const std::string& Name() const { return FName; }

private:
    std::string FName;
};
} // namespace

TEST(Streams, MemoryStreamReadsWhatWasWrittenAndRaisesOnShortReads)
{
    TMemoryStream s;
    s.WriteBuffer("Elvarine", 8);
    s.SetPosition(3);
    s.WriteBuffer("VA", 2); // overwrites in place, the size stays
    EXPECT_EQ(s.Size(), 8);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadAll(), "ElvVAine");

    s.SetPosition(6);
    char buffer[4] = {};
    EXPECT_THROW(s.ReadBuffer(buffer, 4), EReadError);
    EXPECT_EQ(s.Read(buffer, -1), 0);
}

TEST(Streams, SeeksAreClampedToTheData)
{
    TMemoryStream s(std::string("0123456789"));
    EXPECT_EQ(s.Seek(-4, soBeginning), 0);
    EXPECT_EQ(s.Seek(4, soEnd), 10);
    EXPECT_EQ(s.Seek(-3, soEnd), 7);
    EXPECT_EQ(s.Seek(-20, soCurrent), 0);
    EXPECT_EQ(s.Seek(25, soCurrent), 10);
    char c = 0;
    EXPECT_EQ(s.Read(&c, 1), 0);
}

TEST(Streams, FileStreamWritesReadsAndSeeks)
{
    TTempFile file;
    {
        TFileStream out(file.Name(), fmCreate);
        out.WriteBuffer("Bordeaux\r\nBourgogne", 19);
    }
    TFileStream in(file.Name(), fmOpenRead);
    EXPECT_EQ(in.Size(), 19);
    // A seek before the start stops at the start rather than leaving the position undefined.
    EXPECT_EQ(in.Seek(-5, soCurrent), 0);
    EXPECT_EQ(in.Seek(-9, soEnd), 10);
    EXPECT_EQ(in.ReadAll(), "Bourgogne");
    char buffer[2];
    EXPECT_THROW(in.ReadBuffer(buffer, 2), EReadError);
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError); // opened for reading only
}

TEST(Streams, FileThatCannotBeOpenedIsNamedInTheError)
{
    const std::string missing = "C:\\no such folder\\ReadMe.txt";
    for (TFileMode mode : {fmOpenRead, fmCreate}) {
        try {
            TFileStream s(missing, mode);
            ADD_FAILURE() << "opened " << missing;
        } catch (const EFOpenError& e) {
            EXPECT_NE(e.Message().find("Cannot open file \"" + missing + "\""), std::string::npos) << e.Message();
        }
    }
}

TEST(Streams, MissingResourceRaisesResNotFound)
{
    EXPECT_FALSE(TResourceStream::Exists(GetModuleHandleA(nullptr), "NO_SUCH_FORM"));
    try {
        TResourceStream s(GetModuleHandleA(nullptr), "NO_SUCH_FORM");
        ADD_FAILURE() << "found a resource that does not exist";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NO_SUCH_FORM not found");
    }
}
