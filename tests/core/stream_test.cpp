#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/stream.h"
#include "temp_folder.h"

TEST(MemoryStream, ReadWriteSeekAndSize) {
  TMemoryStream M;
  M.WriteU32(0x04030201);
  M.WriteU16(0xBEEF);
  M.WriteI32(-2);
  EXPECT_EQ(M.Size(), 10);
  EXPECT_EQ(M.Bytes().substr(0, 6), "\x01\x02\x03\x04\xEF\xBE");
  M.SetPosition(0);
  EXPECT_EQ(M.ReadU32(), 0x04030201u);
  EXPECT_EQ(M.ReadU16(), 0xBEEF);
  EXPECT_EQ(M.ReadI32(), -2);
  EXPECT_EQ(M.Seek(-4, TSeekOrigin::soEnd), 6);
  EXPECT_EQ(M.Seek(-10, TSeekOrigin::soCurrent), -1);
  EXPECT_EQ(M.Position(), 6);

  M.Seek(2, TSeekOrigin::soEnd);  // writing past the end fills the gap with zeros
  M.WriteU8(7);
  EXPECT_EQ(M.Bytes().substr(10), std::string("\0\0\x07", 3));
  M.SetSize(3);
  EXPECT_EQ(M.Position(), 3);
  EXPECT_EQ(M.Bytes(), "\x01\x02\x03");

  TMemoryStream Copy;
  EXPECT_EQ(Copy.CopyFrom(M, 0), 3);  // 0: all of the source from its start
  EXPECT_EQ(Copy.Bytes(), "\x01\x02\x03");
  EXPECT_THROW(Copy.CopyFrom(M, 1), EReadError);
}

TEST(MemoryStream, ShortReadsRaise) {
  TMemoryStream M(std::string("abc"));
  char Buffer[8];
  EXPECT_EQ(M.Read(Buffer, 8), 3);
  M.SetPosition(1);
  try {
    M.ReadBuffer(Buffer, 3);
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), u"Stream read error");
  }
  M.SetPosition(1);
  EXPECT_EQ(M.ReadBytes(2), "bc");
  M.SetPosition(1);
  EXPECT_THROW(M.ReadBytes(3), EReadError);
  EXPECT_THROW(M.ReadBytes(INT64_MAX), EReadError);
  EXPECT_THROW(M.ReadBytes(-1), EReadError);
  EXPECT_EQ(M.Position(), 1);
  M.Seek(100, TSeekOrigin::soBeginning);
  EXPECT_THROW(M.ReadBytes(1), EReadError);
  EXPECT_EQ(M.ReadBytes(0), "");
}

TEST(MemoryViewStream, ReadsTheBytesWhereTheyLieAndRefusesWrites) {
  const std::string Bytes("\x01\x02\x03\x04xyz", 7);
  TMemoryViewStream V(std::string_view(Bytes).substr(2));
  EXPECT_EQ(V.Size(), 5);
  EXPECT_EQ(V.ReadU16(), 0x0403);
  EXPECT_EQ(V.ReadBytes(3), "xyz");
  EXPECT_THROW(V.ReadBytes(1), EReadError);
  EXPECT_EQ(V.Seek(-1, TSeekOrigin::soEnd), 4);
  EXPECT_EQ(V.Seek(-5, TSeekOrigin::soCurrent), -1);
  EXPECT_THROW(V.WriteU8(0), EWriteError);
  EXPECT_THROW(V.SetSize(1), EWriteError);
  EXPECT_EQ(V.Bytes(), "\x03\x04xyz");
}

TEST(FileStream, CreateOpenAndErrors) {
  const TTempFolder Dir;
  const String Name = Dir / u"\u0444\u0430\u0439\u043B.bin";
  {
    TFileStream F(Name, fmCreate);
    F.WriteBytes("hello world");
    EXPECT_EQ(F.Size(), 11);
    F.SetSize(5);
    EXPECT_EQ(F.Position(), 5);
  }
  EXPECT_TRUE(FileExists(Name));
  {
    TFileStream Reader(Name, fmOpenRead | fmShareDenyWrite);
    TFileStream Second(Name, fmOpenRead | fmShareDenyWrite);  // sharing never refuses a reader
    EXPECT_EQ(Reader.ReadBytes(5), "hello");
    EXPECT_THROW(Reader.ReadU8(), EReadError);
    EXPECT_EQ(Reader.Write("x", 1), 0);  // read-only
  }
  {
    TFileStream Writer(Name, fmOpenReadWrite | fmShareDenyNone);
    Writer.Seek(0, TSeekOrigin::soEnd);
    Writer.WriteBytes("!");
    Writer.SetPosition(0);
    EXPECT_EQ(Writer.ReadBytes(6), "hello!");
  }
  TMemoryStream M;
  M.LoadFromFile(Name);
  EXPECT_EQ(M.Bytes(), "hello!");
  { TFileStream Truncate(Name, fmCreate); }
  M.LoadFromFile(Name);
  EXPECT_EQ(M.Size(), 0);

  const String Missing = Dir / u"missing.txt";
  try {
    TFileStream F(Missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& E) {
    EXPECT_EQ(E.Message(), u"Cannot open file \"" + Missing + u"\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(Dir / u"", fmOpenRead), EFOpenError);  // a folder
  try {
    TFileStream F(Dir / u"no/such/folder.txt", fmCreate);
    FAIL();
  } catch (const EFCreateError& E) {
    EXPECT_EQ(Pos(u"Cannot create file \"", E.Message()), 1);
  }
}

TEST(FileNames, ExpandAndSplit) {
  EXPECT_FALSE(FileExists(u"/"));
  EXPECT_FALSE(FileExists(u""));
  EXPECT_EQ(ExpandFileName(u"/a/./b/../c"), u"/a/c");
  EXPECT_EQ(ExpandFileName(u"\\a\\b\\..\\..\\..\\x.txt"), u"/x.txt");
  EXPECT_EQ(ExpandFileName(u"/a//b/"), u"/a/b/");
  char Cwd[4096];
  ASSERT_NE(getcwd(Cwd, sizeof Cwd), nullptr);
  const String Here = FromUtf8(Cwd);
  EXPECT_EQ(ExpandFileName(u"x\\y.lng"), (Here == u"/" ? String() : Here) + u"/x/y.lng");
  EXPECT_EQ(ExpandFileName(u"."), Here);

  EXPECT_EQ(ExtractFileExt(u"/a.b/name.tar.gz"), u".gz");
  EXPECT_EQ(ExtractFileExt(u"/a.b/name"), u"");
  EXPECT_EQ(ExtractFileExt(u"c:\\x.d\\file"), u"");
  EXPECT_EQ(ExtractFilePath(u"/a/b.txt"), u"/a/");
  EXPECT_EQ(ExtractFilePath(u"c:\\dir\\b.txt"), u"c:\\dir\\");
  EXPECT_EQ(ExtractFileName(u"c:\\dir/b.txt"), u"b.txt");
}
