// The kind of picture a file's bytes hold, told by their content alone,
// whatever the file is named.
#pragma once

#include <string_view>

namespace texttoxml::pictures {

struct ContentKind {
  std::string_view name;       // "PNG", "JPEG", "WebP", ...; empty when unknown
  std::string_view extension;  // the extension a picture kind takes it by; empty when none does
};

// The kind of picture `bytes` begin as: one of the kinds that load pictures
// (BMP, PNG, JPEG, GIF, ICO, WMF, EMF, TIFF), or a known kind that none of
// them reads (WebP, AVIF, HEIF, JPEG 2000, PSD, PDF, SVG); nothing when
// the bytes look like no picture known.
ContentKind ContentKindOf(std::string_view bytes);

// Whether `bytes` are a Windows metafile that starts with its standard
// header, without the placeable header before it.
bool IsBareMetafile(std::string_view bytes);

// The kinds that load pictures, by name: "BMP, PNG, ...".
std::string_view LoadableKindNames();

}  // namespace texttoxml::pictures
