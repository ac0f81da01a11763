// Pictures: how they stand in the text, what they are named and loaded as.
#include <gtest/gtest.h>

#include "docx/picture_content.h"
#include "docx/relationships.h"
#include "docx/word_document.h"
#include "docx_builder.h"
#include "pictures/little_endian.h"

namespace texttoxml::docx {
namespace {

using testing::Utf8;

const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "rest";

// A Windows metafile that starts with its standard header: type 1, nine
// header words, version 3.
std::string BareMetafile() {
  std::string bytes;
  for (std::uint32_t word : {1u, 9u, 0x300u, 0u, 0u, 0u, 0u, 0u, 0u})
    pictures::AppendU16Le(bytes, word);
  return bytes + "records";
}

std::string Inline(std::string_view id, std::string_view cx = "914400",
                   std::string_view cy = "457200") {
  return "<w:r><w:drawing><wp:inline><wp:extent cx=\"" + std::string(cx) + "\" cy=\"" +
         std::string(cy) +
         "\"/><a:graphic><a:graphicData><pic:pic><pic:blipFill><a:blip r:embed=\"" +
         std::string(id) +
         "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>";
}

std::string RunText(std::string_view text) {
  return "<w:r><w:t xml:space=\"preserve\">" + std::string(text) + "</w:t></w:r>";
}

TEST(PictureContent, ExtensionIsTheNamesOwnOrFoundFromTheContent) {
  EXPECT_EQ(PictureExtension("word/media/image1.JPEG", kPng), "jpeg");
  EXPECT_EQ(PictureExtension("image1.tiff", ""), "tiff");
  EXPECT_EQ(PictureExtension("image1.bin", kPng), "png");
  EXPECT_EQ(PictureExtension("image1", "\xFF\xD8\xFF\xE0"), "jpg");
  EXPECT_EQ(PictureExtension("a.tmp", "GIF89a..."), "gif");
  EXPECT_EQ(PictureExtension("a.tmp", "BM...."), "bmp");
  EXPECT_EQ(PictureExtension("a.tmp", std::string("MM\0*", 4)), "tif");
  EXPECT_EQ(PictureExtension("oleObject.bin", BareMetafile()), "wmf");
  std::string emf;
  pictures::AppendU32Le(emf, 1);
  emf += std::string(36, '\0');
  pictures::AppendU32Le(emf, 0x464D4520);
  EXPECT_EQ(PictureExtension("x.emz.part", emf), "emf");
  EXPECT_EQ(PictureExtension("image.svg", "<svg/>"), "");
  EXPECT_EQ(PictureExtension("dir.png/name", "?"), "");
}

TEST(PictureContent, BareMetafilesGetAPlaceableHeaderForTheirShownSize) {
  const std::string bare = BareMetafile();
  const std::string fixed = WithPlaceableHeader(bare, ShownSize{1440, 720});
  ASSERT_EQ(fixed.size(), 22 + bare.size());
  EXPECT_EQ(pictures::ReadU32Le(fixed, 0), 0x9AC6CDD7u);
  EXPECT_EQ(pictures::ReadU16Le(fixed, 10), 1440);  // right
  EXPECT_EQ(pictures::ReadU16Le(fixed, 12), 720);   // bottom
  EXPECT_EQ(pictures::ReadU16Le(fixed, 14), 1440);  // units per inch
  std::uint16_t checksum = 0;
  for (std::size_t at = 0; at < 20; at += 2) checksum ^= pictures::ReadU16Le(fixed, at);
  EXPECT_EQ(pictures::ReadU16Le(fixed, 20), checksum);
  EXPECT_EQ(fixed.substr(22), bare);
  // A picture larger than the header's 16-bit box keeps its proportions in
  // coarser units.
  const std::string large = WithPlaceableHeader(bare, ShownSize{100000, 50000});
  EXPECT_EQ(pictures::ReadU16Le(large, 10), 25000);
  EXPECT_EQ(pictures::ReadU16Le(large, 12), 12500);
  EXPECT_EQ(pictures::ReadU16Le(large, 14), 360);
  // Nothing to do without a size, or for anything but a bare metafile.
  EXPECT_EQ(WithPlaceableHeader(bare, std::nullopt), bare);
  EXPECT_EQ(WithPlaceableHeader(bare, ShownSize{0, 10}), bare);
  EXPECT_EQ(WithPlaceableHeader(kPng, ShownSize{10, 10}), kPng);
}

TEST(DocxPictures, StandInTheTextByNameInOrderOfFirstUse) {
  testing::DocxBuilder builder("<w:p>" + Inline("rId8") + "</w:p><w:p>" + RunText("+") +
                               Inline("rId7") + "</w:p><w:p>" + RunText("-") + Inline("rId9") +
                               "</w:p><w:p>" + Inline("rId8") + "</w:p><w:p>" + Inline("rId10") +
                               Inline("missing") + "</w:p><w:p>" + Inline("rId11") + "</w:p>");
  builder.Relationships({{"rId7", "image", "media/image1.png"},
                         {"rId8", "image", "media/photo.bin"},
                         {"rId9", "image", "/word/other/IMAGE1.png"},
                         {"rId10", "image", "media/gone.png"},
                         {"rId11", "image", "media/my%20photo.png"}});
  builder.Part("word/media/image1.png", kPng + "1").Part("word/media/photo.bin", "\xFF\xD8\xFF!");
  builder.Part("word/other/IMAGE1.png", kPng + "2").Part("word/media/my photo.png", kPng + "3");
  const WordText read = ReadWordDocument(builder.Bytes());
  EXPECT_EQ(Utf8(read.text),
            "[photo.bin]\r\n+[image1.png]\r\n-[IMAGE1-2.png]\r\n[photo.bin]\r\n[gone.png]\r\n"
            "[my photo.png]");
  ASSERT_EQ(read.pictures.size(), 4u);
  EXPECT_EQ(read.pictures[3].name, "my photo.png");
  EXPECT_EQ(read.pictures[3].bytes, kPng + "3");
  EXPECT_EQ(read.pictures[0].name, "photo.bin");
  EXPECT_EQ(read.pictures[0].extension, "jpg");
  EXPECT_EQ(read.pictures[0].bytes, "\xFF\xD8\xFF!");
  EXPECT_EQ(read.pictures[1].name, "image1.png");
  EXPECT_EQ(read.pictures[1].bytes, kPng + "1");
  EXPECT_EQ(read.pictures[2].name, "IMAGE1-2.png");
  EXPECT_EQ(read.pictures[2].bytes, kPng + "2");
  // Picture lines and picture variants are what the task syntax places.
  EXPECT_TRUE(read.facts.empty());
}

TEST(DocxPictures, OldStylePicturesAndObjectPreviewsAreRead) {
  // A VML picture, an OLE equation whose preview is a bare metafile shown
  // 1 inch by half an inch, an anchored DrawingML picture whose SVG has a
  // PNG fallback, and a picture inside a text box, which is not read.
  testing::DocxBuilder builder(
      "<w:p><w:r><w:pict><v:shape style=\"width:36pt;height:18pt\"><v:imagedata "
      "r:id=\"rIdV\"/></v:shape>"
      "</w:pict></w:r></w:p><w:p><w:r><w:object w:dxaOrig=\"1\"><v:shape "
      "style=\"position:absolute; "
      "width: 72pt ;height:0.5in\"><v:imagedata r:id=\"rIdW\" o:title=\"\"/></v:shape><o:OLEObject "
      "r:id=\"rIdOle\"/></w:object></w:r></w:p><w:p><w:r><w:drawing><wp:anchor><wp:extent cx=\"1\" "
      "cy=\"1\"/><a:graphic><a:graphicData><pic:pic><pic:blipFill><a:blip "
      "r:embed=\"rIdP\"><a:extLst>"
      "<a:ext><asvg:svgBlip "
      "xmlns:asvg=\"http://schemas.microsoft.com/office/drawing/2016/SVG/main\" "
      "r:embed=\"rIdS\"/></a:ext></a:extLst></a:blip></pic:blipFill></pic:pic></a:graphicData>"
      "</a:graphic></wp:anchor></w:drawing></w:r></w:p><w:p><w:r><w:pict><v:shape><v:textbox>"
      "<w:txbxContent><w:p>" +
      Inline("rIdP") + "</w:p></w:txbxContent></v:textbox></v:shape></w:pict></w:r></w:p>");
  builder.Relationships({{"rIdV", "image", "media/image1.gif"},
                         {"rIdW", "image", "media/image2.wmf"},
                         {"rIdOle", "oleObject", "embeddings/oleObject1.bin"},
                         {"rIdP", "image", "media/image3.png"},
                         {"rIdS", "image", "media/image4.svg"}});
  builder.Part("word/media/image1.gif", "GIF89a").Part("word/media/image2.wmf", BareMetafile());
  builder.Part("word/media/image3.png", kPng).Part("word/media/image4.svg", "<svg/>");
  const WordText read = ReadWordDocument(builder.Bytes());
  EXPECT_EQ(Utf8(read.text), "[image1.gif]\r\n[image2.wmf]\r\n[image3.png]\r\n");
  ASSERT_EQ(read.pictures.size(), 3u);
  EXPECT_EQ(read.pictures[1].extension, "wmf");
  EXPECT_EQ(read.pictures[1].bytes, WithPlaceableHeader(BareMetafile(), ShownSize{1440, 720}));
  ASSERT_EQ(read.facts.size(), 1u);
  EXPECT_EQ(read.facts[0].kind, FactKind::TextBox);
  EXPECT_EQ(read.facts[0].line, 4u);
}

TEST(Relationships, TargetsResolveToPartNamesAndLinksToPaths) {
  EXPECT_EQ(ResolvePartName("word/document.xml", "media/a.png"), "word/media/a.png");
  EXPECT_EQ(ResolvePartName("word/document.xml", "/media/a.png"), "media/a.png");
  EXPECT_EQ(ResolvePartName("word/document.xml", "../x/./b%20c.png"), "x/b%20c.png");
  EXPECT_EQ(ResolvePartName("word/document.xml", "../../../../etc/passwd"), "etc/passwd");
  EXPECT_EQ(ResolvePartName("", "word//document.xml"), "word/document.xml");
  EXPECT_EQ(ExternalTargetText("pictures/My%20photo.jpg"), "pictures/My photo.jpg");
  EXPECT_EQ(ExternalTargetText("FILE:///C:/Tests/a.png"), "C:/Tests/a.png");
  EXPECT_EQ(ExternalTargetText("file://localhost/Users/t/a.png"), "/Users/t/a.png");
  EXPECT_EQ(ExternalTargetText("file:///home/t/a.png"), "/home/t/a.png");
  EXPECT_EQ(ExternalTargetText("file://server/share/a.png"), "//server/share/a.png");
  EXPECT_EQ(ExternalTargetText("%zz%4"), "%zz%4");
}

TEST(DocxPictures, LinkedPicturesStandAsTheirTarget) {
  testing::DocxBuilder builder(
      "<w:p>" + RunText("See ") +
      "<w:r><w:drawing><wp:inline><a:blip r:link=\"rIdL\"/></wp:inline></w:drawing>"
      "</w:r></w:p><w:p><w:r><w:pict><v:shape><v:imagedata r:id=\"rIdF\"/>"
      "</v:shape></w:pict></w:r></w:p>");
  builder.Relationships({{"rIdL", "image", "!pictures/My%20photo.jpg"},
                         {"rIdF", "image", "!file:///C:/Tests/%D0%B0.png"}});
  const WordText read = ReadWordDocument(builder.Bytes());
  EXPECT_EQ(Utf8(read.text), "See [pictures/My photo.jpg]\r\n[C:/Tests/а.png]");
  EXPECT_TRUE(read.pictures.empty());
  ASSERT_EQ(read.facts.size(), 3u);
  EXPECT_EQ(read.facts[0].kind, FactKind::LinkedPicture);
  EXPECT_EQ(Utf8(read.facts[0].detail), "pictures/My photo.jpg");
  EXPECT_EQ(read.facts[1].kind, FactKind::PictureInSentence);
  EXPECT_EQ(read.facts[2].kind, FactKind::LinkedPicture);
  EXPECT_EQ(read.facts[2].line, 2u);
}

TEST(DocxPictures, PicturesInsideSentencesAreNoted) {
  testing::DocxBuilder builder("<w:p>" + RunText("x = ") + Inline("rId1") + RunText(" cm") +
                               "</w:p><w:p>" + RunText(" + ") + Inline("rId1") + RunText(" ") +
                               "</w:p><w:p>" + Inline("rId1") + Inline("rId1") + "</w:p><w:p>" +
                               RunText("=") + Inline("rId1") + "</w:p><w:p>" + Inline("rId1") +
                               "<w:r><w:br/></w:r>" + RunText("text") + "</w:p>");
  builder.Relationships({{"rId1", "image", "media/a.png"}});
  builder.Part("word/media/a.png", kPng);
  const WordText read = ReadWordDocument(builder.Bytes());
  std::vector<std::size_t> lines;
  for (const auto& fact : read.facts) {
    EXPECT_EQ(fact.kind, FactKind::PictureInSentence);
    EXPECT_EQ(Utf8(fact.detail), "a.png");
    lines.push_back(fact.line);
  }
  EXPECT_EQ(lines, (std::vector<std::size_t>{1, 3, 3, 4}));
}

}  // namespace
}  // namespace texttoxml::docx
