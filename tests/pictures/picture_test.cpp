#include <gtest/gtest.h>

#include "error.h"
#include "kinds_test_support.h"
#include "pictures/bitmap.h"
#include "pictures/file_formats.h"
#include "pictures/icon.h"
#include "pictures/jpeg_image.h"
#include "pictures/metafile.h"
#include "pictures/picture.h"
#include "platform/platform_errors.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::ReadKinds;
using testing::ReadSuite;
using texttoxml::testing::TempDir;

std::string ClassOf(GraphicFactory factory) {
  return factory == nullptr ? "none" : std::string(factory()->ClassName());
}

TEST(FileFormats, StandardRowsAndLookUp) {
  const auto& rows = FileFormats();
  struct Row {
    const char* extension;
    const char* description;
    const char* className;
  };
  const Row expected[] = {{"wmf", "Metafiles", "TMetafile"},
                          {"emf", "Enhanced Metafiles", "TMetafile"},
                          {"ico", "Icons", "TIcon"},
                          {"tiff", "TIFF Images", "TWICImage"},
                          {"tif", "TIFF Images", "TWICImage"},
                          {"bmp", "Bitmaps", "TBitmap"},
                          {"jpeg", "JPEG Image File", "TJPEGImage"},
                          {"jpg", "JPEG Image File", "TJPEGImage"}};
  ASSERT_GE(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(rows[i].extension, expected[i].extension) << i;
    EXPECT_EQ(rows[i].description, expected[i].description) << i;
    EXPECT_EQ(ClassOf(rows[i].factory), expected[i].className) << i;
  }

  EXPECT_EQ(ClassOf(FindExt("JPG")), "TJPEGImage");
  EXPECT_EQ(ClassOf(FindExt("Tif")), "TWICImage");
  EXPECT_EQ(ClassOf(FindExt("webp")), "none");
  EXPECT_EQ(ClassOf(FindExt("")), "none");
  EXPECT_EQ(ClassOf(FindExt(".bmp")), "none");

  // A later registration of an extension wins; it is stored in lower case.
  RegisterFileFormat("KindsTest", "first", &MakeGraphic<Icon>);
  RegisterFileFormat("kindstest", "second", &MakeGraphic<Metafile>);
  EXPECT_EQ(FileFormats().back().extension, "kindstest");
  EXPECT_EQ(ClassOf(FindExt("KINDSTEST")), "TMetafile");
}

TEST(Picture, FileExtensions) {
  EXPECT_EQ(PictureFileExtension("pic.PNG"), "PNG");
  EXPECT_EQ(PictureFileExtension("x.tar.gif"), "gif");
  EXPECT_EQ(PictureFileExtension("a.b\\c"), "");
  EXPECT_EQ(PictureFileExtension("dir.v2\\picture"), "");
  EXPECT_EQ(PictureFileExtension("dir.v2/picture"), "");
  EXPECT_EQ(PictureFileExtension("c.d:stream"), "");
  EXPECT_EQ(PictureFileExtension("picture"), "");
  EXPECT_EQ(PictureFileExtension("picture."), "");
  EXPECT_EQ(PictureFileExtension("/tmp/dir.v2/.hidden"), "hidden");
}

TEST(Picture, LoadsByExtension) {
  TempDir dir;
  const std::string jpeg = ReadKinds("colour.jpg");
  for (const char* name : {"PIC.JPG", "pic.Jpg", "pic.jpg", "pic.jpeg"}) {
    Picture picture;
    picture.LoadFromFile(dir.Write(name, jpeg));
    ASSERT_NE(picture.GetGraphic(), nullptr);
    EXPECT_EQ(picture.GetGraphic()->ClassName(), "TJPEGImage") << name;
  }
  struct Case {
    const char* name;
    std::string bytes;
    const char* className;
  };
  for (const Case& c : {Case{"a.bmp", ReadSuite("g/pal8.bmp"), "TBitmap"},
                        Case{"a.ico", ReadKinds("icon.ico"), "TIcon"},
                        Case{"a.tiff", ReadKinds("quarters.tif"), "TWICImage"},
                        Case{"a.emf", testing::MakeEnhancedMetafile(10, 10), "TMetafile"}}) {
    Picture picture;
    picture.LoadFromFile(dir.Write(c.name, c.bytes));
    EXPECT_EQ(picture.GetGraphic()->ClassName(), c.className);
  }

  // The edge cases of loading: the picture keeps what it had.
  Picture picture;
  picture.LoadFromFile(dir.Write("keep.ico", ReadKinds("icon.ico")));
  const Graphic* before = picture.GetGraphic();
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("noextension", jpeg)), Error,
                   "Unknown picture file extension (.)");
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("image.webp", jpeg)), Error,
                   "Unknown picture file extension (.webp)");
  EXPECT_THROW_MSG(picture.LoadFromFile("dir.v2\\picture"), Error,
                   "Unknown picture file extension (.)");
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("cursor.ico", std::string("\0\0\2\0\1\0", 6))),
                   Error, "Icon image is not valid");
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("plain.wmf", testing::MakeWindowsRecords())),
                   Error, "Metafile is not valid");
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("text.tif", "text")), Error, "Invalid image");
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("short.bmp", "BM")), Error, "Stream read error");
  EXPECT_THROW_MSG(picture.LoadFromFile(dir.Write("short.wmf", "tiny")), Error,
                   "Stream read error");
  EXPECT_THROW_MSG(
      picture.LoadFromFile(dir.File("missing.bmp")), FOpenError,
      "Cannot open file \"" + dir.File("missing.bmp") + "\". No such file or directory");
  EXPECT_EQ(picture.GetGraphic(), before);

  // A TIFF-named file holding a PNG keeps the PNG's bytes.
  const std::string png =
      texttoxml::testing::ReadFile(TEXTTOXML_TEST_DATA "/pictures/pngsuite/basn2c08.png");
  picture.LoadFromFile(dir.Write("really-a-png.tif", png));
  std::string out;
  picture.GetGraphic()->SaveToStream(out);
  EXPECT_EQ(out, png);

  // An empty JPEG file loads and stores nothing.
  picture.LoadFromFile(dir.Write("empty.jpg", ""));
  EXPECT_TRUE(picture.GetGraphic()->Empty());
  out.clear();
  picture.GetGraphic()->SaveToStream(out);
  EXPECT_EQ(out, "");
}

TEST(Picture, AssigningMakesFreshCopies) {
  TempDir dir;
  Picture source;
  source.LoadFromFile(dir.Write("a.jpg", ReadKinds("colour.jpg")));
  Picture target;
  target.LoadFromFile(dir.Write("b.bmp", ReadSuite("g/pal1.bmp")));
  target.Assign(source);
  ASSERT_NE(target.GetGraphic(), source.GetGraphic());
  EXPECT_EQ(target.GetGraphic()->ClassName(), "TJPEGImage");
  EXPECT_TRUE(dynamic_cast<const JpegImage&>(*target.GetGraphic())
                  .SharesImageWith(dynamic_cast<const JpegImage&>(*source.GetGraphic())));

  Bitmap bitmap;
  bitmap.LoadFromBytes(ReadSuite("g/pal4.bmp"));
  target.Assign(bitmap);
  EXPECT_EQ(target.GetGraphic()->ClassName(), "TBitmap");
  EXPECT_EQ(target.GetGraphic()->Width(), 127);

  target.Assign(Picture());
  EXPECT_EQ(target.GetGraphic(), nullptr);

  // The copy for the rich document: the same class, the same bytes.
  Metafile metafile;
  metafile.LoadFromBytes(testing::MakeEnhancedMetafile(300, 200));
  const Graphic* graphics[] = {&metafile, &bitmap, source.GetGraphic()};
  for (const Graphic* graphic : graphics) {
    auto copy = CopyGraphic(*graphic);
    EXPECT_EQ(copy->ClassName(), graphic->ClassName());
    std::string copied, original;
    copy->SaveToStream(copied);
    graphic->SaveToStream(original);
    EXPECT_EQ(copied, original);
  }
}

}  // namespace
}  // namespace texttoxml::pictures
