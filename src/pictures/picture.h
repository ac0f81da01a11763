// The picture container ("TPicture"): holds at most one graphic, loaded
// from a file by its extension or copied from another graphic.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pictures/file_formats.h"
#include "pictures/graphic.h"

namespace texttoxml::pictures {

class Picture {
 public:
  Picture();  // makes sure the format registry exists

  // Replaces the graphic by one of the kind registered for the path's
  // extension, loaded from the file. Raises InvalidGraphicError "Unknown
  // picture file extension (.%s)" when no kind is registered; on any
  // failure the previous graphic stays.
  void LoadFromFile(const std::string& path);

  // The same for `bytes` read before, loaded by the kind registered for
  // `extension`.
  void LoadFromBytes(std::string_view extension, std::string bytes);

  // Replaces the graphic by a fresh copy of `graphic` (same class).
  void Assign(const Graphic& graphic);
  // The same with the other container's graphic; an empty one empties this.
  void Assign(const Picture& other);

  const Graphic* GetGraphic() const { return graphic_.get(); }
  Graphic* GetGraphic() { return graphic_.get(); }

 private:
  std::unique_ptr<Graphic> graphic_;
};

// The kind registered for `extension`; raises InvalidGraphicError "Unknown
// picture file extension (.%s)" when there is none.
GraphicFactory KindForExtension(std::string_view extension);

// A fresh graphic of the source's class with the source assigned to it.
std::unique_ptr<Graphic> CopyGraphic(const Graphic& source);

// The text after the path's last ".", provided that no "\", ":" or "/"
// follows it; empty when there is none. A picture a Word document holds
// under a name whose extension names no kind goes by the kind its content
// shows.
std::string PictureFileExtension(std::string_view path);

}  // namespace texttoxml::pictures
