#include "pictures/jpeg_reader.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include "pictures/limits.h"
#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

// Everything the library touches lives here, outside the function that calls
// setjmp, so that nothing it holds is lost when an error jumps back.
// The error manager comes first, so that the library's pointer to it leads
// back to the session.
struct JpegSession {
  jpeg_error_mgr errors;
  jpeg_decompress_struct info;
  std::jmp_buf jump;
  JpegHeaderInfo header;
  std::uint64_t bitsPerPixel;  // of the decoded store, once known
  bool warned;                 // the library warned of damaged data
};

void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegSession*>(info->err)->jump, 1);
}

// Level -1 is a warning: the library goes on over data it found damaged.
void NoteWarnings(j_common_ptr info, int level) {
  if (level < 0) reinterpret_cast<JpegSession*>(info->err)->warned = true;
}
void PrintNothing(j_common_ptr) {}

enum class Outcome { Done, LibraryError, TooLarge };

// Plain C-style code only: no object with a destructor may live in the
// frames a longjmp crosses.
Outcome Run(JpegSession* session, std::string_view bytes, bool decode) {
  jpeg_decompress_struct* info = &session->info;
  info->err = jpeg_std_error(&session->errors);
  session->errors.error_exit = JumpBack;
  session->errors.emit_message = NoteWarnings;
  session->errors.output_message = PrintNothing;
  if (setjmp(session->jump) != 0) {
    jpeg_destroy_decompress(info);
    return Outcome::LibraryError;
  }
  jpeg_create_decompress(info);
  // A progressive image needs its whole coefficient store in memory.
  info->mem->max_memory_to_use = static_cast<long>(kMaxDecodedPixelBytes);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(info, TRUE);
  session->header = {static_cast<int>(info->image_width), static_cast<int>(info->image_height),
                     info->jpeg_color_space == JCS_GRAYSCALE, info->progressive_mode != 0};
  if (decode) {
    session->bitsPerPixel = 8ull * static_cast<unsigned>(info->num_components);
    const std::uint64_t limitBits = kMaxDecodedPixelBytes * 8;
    if (std::uint64_t{info->image_width} * info->image_height > limitBits / session->bitsPerPixel) {
      jpeg_destroy_decompress(info);
      return Outcome::TooLarge;
    }
    jpeg_start_decompress(info);
    JSAMPARRAY row = (*info->mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
        info->output_width * static_cast<unsigned>(info->output_components), 1);
    while (info->output_scanline < info->output_height) {
      jpeg_read_scanlines(info, row, 1);
    }
  }
  jpeg_destroy_decompress(info);
  return Outcome::Done;
}

JpegHeaderInfo Read(std::string_view bytes, bool decode) {
  JpegSession session{};
  switch (Run(&session, bytes, decode)) {
    case Outcome::LibraryError:
      throw JpegError(session.errors.msg_code);
    case Outcome::TooLarge:
      ThrowImageTooLarge(session.header.width, session.header.height, session.bitsPerPixel);
    case Outcome::Done:
      break;
  }
  session.header.damaged = session.warned;
  return session.header;
}

}  // namespace

JpegHeaderInfo ReadJpegHeader(std::string_view bytes) {
  return Read(bytes, false);
}

JpegHeaderInfo DecodeJpeg(std::string_view bytes) {
  return Read(bytes, true);
}

}  // namespace texttoxml::pictures
