#pragma once

class DeviceContext;
class DisplayConverter;
class ImageCache;
class Montage;
class PreviewSettings;

// What every drawing step of one composite reads: the surface and its mapping, the layout, the
// preview values (caption texts, sample pictures) and the cache the pictures come from. The
// command line passes the built-in preview values, the window the user's own.
struct RenderContext {
  DeviceContext& Dc;
  const DisplayConverter& Converter;
  const Montage& Layout;
  const PreviewSettings& Settings;
  ImageCache& Cache;
};
