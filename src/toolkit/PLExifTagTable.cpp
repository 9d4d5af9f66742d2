#include "toolkit/PLExifTagTable.h"

namespace {

const PLExifTag kMainTags[] = {
    {0x010E, "Desc", "Image Description"},
    {0x010F, "Make", "Camera Make"},
    {0x0110, "Model", "Camera Model"},
    {0x0112, "Ori", "Orientation"},
    {0x011A, "XRes", "X Resolution"},
    {0x011B, "YRes", "Y Resolution"},
    {0x0128, "ResUnit", "Resolution Unit"},
    {0x0131, "Software", "Camera Software"},
    {0x0132, "ModTime", "Last Modification"},
    {0x013E, "WPoint", "White Point"},
    {0x013F, "PrimChr", "Primary Chromaticities"},
    {0x0211, "YCbCrCoef", "YCbCrCoefficients"},
    {0x0213, "YCbCrPos", "YCbCrPositioning"},
    {0x0214, "RefBW", "Reference Black/White point"},
    {0x8298, "Copy", "Copyright"},
    {0x8769, "ExifOffset", "Sub IFD Offset"},
    {0x8825, "GpsOffset", "GPS IFD Offset"},
};

const PLExifTag kSubTags[] = {
    {0x829A, "ExpTime", "Exposure Time"},
    {0x829D, "FNumber", "F-Number"},
    {0x8822, "ExpProg", "Exposure Program"},
    {0x8827, "ISOSpeed", "ISO Speed Ratings"},
    {0x8828, "OECF", "Opto-Electric Conversion Function"},
    {0x9000, "ExifVer", "Exif Version"},
    {0x9003, "DTOrig", "Date/Time Original"},
    {0x9004, "DTDigitized", "Date/Time Digitized"},
    {0x9101, "CompConfig", "Components Configuration"},
    {0x9102, "CompBPP", "Compressed Bits per Pixel"},
    {0x9201, "ShutterSpeed", "Shutter Speed Value"},
    {0x9202, "Aperture", "Aperture Value"},
    {0x9203, "Brightness", "Brightness Value"},
    {0x9204, "ExpBias", "Exposure Bias Value"},
    {0x9205, "MaxAperture", "Max Aperture Value"},
    {0x9206, "SubjectDist", "Subject Distance"},
    {0x9207, "MeterMode", "Metering Mode"},
    {0x9208, "LightSource", "Light Source"},
    {0x9209, "Flash", "Flash"},
    {0x920A, "FocalLen", "Focal Length"},
    {0x927C, "Maker", "Maker Note"},
    {0x9286, "UserComment", "User Comment"},
    {0x9290, "SubsecTime", "Subsecond Time"},
    {0x9291, "SubsecTimeOrig", "Subsecond Time Original"},
    {0x9292, "SubsecTimeDigit", "Subsecond Time Digitized"},
    {0xA000, "FPXVer", "FlashPix Version"},
    {0xA001, "ColorSpace", "Color Space"},
    {0xA002, "ImageWidth", "Exif Image Width"},
    {0xA003, "ImageHeight", "Exif Image Height"},
    {0xA005, "InteropOffset", "Interoperability IFD Offset"},
    {0xA20E, "FocalPlaneXRes", "Focal Plane X Resolution"},
    {0xA20F, "FocalPlaneYRes", "Focal Plane Y Resolution"},
    {0xA210, "FocalPlaneUnit", "Focal Plane Resolution Unit"},
    {0xA215, "ExpIndex", "Exposure Index"},
    {0xA217, "SensingMethod", "Sensing Method"},
    {0xA300, "FileSource", "File Source"},
    {0xA301, "SceneType", "Scene Type"},
    {0xA302, "CFAPattern", "CFA Pattern"},
};

const PLExifTag kGpsTags[] = {
    {0x00, "Version", "GPS Version"},
    {0x01, "LatRef", "Latitude Reference"},
    {0x02, "Lat", "Latitude"},
    {0x03, "LongRef", "Longitude Reference"},
    {0x04, "Long", "Longitude"},
    {0x05, "AltRef", "Altitude Reference"},
    {0x06, "Alt", "Altitude"},
    {0x07, "Time", "Time Stamp"},
    {0x08, "Satellites", "Satellites"},
    {0x09, "Status", "Receiver Status"},
    {0x0A, "MeasureMode", "Measurement Mode"},
    {0x0B, "DOP", "Measurement Precision"},
    {0x0C, "SpeedRef", "Speed Unit"},
    {0x0D, "Speed", "Speed"},
    {0x0E, "TrackRef", "Direction of Movement Reference"},
    {0x0F, "Track", "Direction of Movement"},
    {0x10, "ImgDirRef", "Image Direction Reference"},
    {0x11, "ImgDir", "Image Direction"},
    {0x12, "MapDatum", "Map Datum"},
    {0x13, "DestLatRef", "Destination Latitude Reference"},
    {0x14, "DestLat", "Destination Latitude"},
    {0x15, "DestLongRef", "Destination Longitude Reference"},
    {0x16, "DestLong", "Destination Longitude"},
    {0x17, "DestBearingRef", "Destination Bearing Reference"},
    {0x18, "DestBearing", "Destination Bearing"},
    {0x19, "DestDistRef", "Destination Distance Reference"},
    {0x1A, "DestDist", "Destination Distance"},
    {0x1B, "ProcMethod", "Processing Method"},
    {0x1C, "AreaInfo", "Area Information"},
    {0x1D, "Date", "Date Stamp"},
    {0x1E, "Differential", "Differential Correction"},
};

const PLExifTag kNikonTags[] = {
    {0x0003, "Quality", "Quality"},
    {0x0004, "ColorMode", "Color Mode"},
    {0x0005, "ImageAdjustment", "Image Adjustment"},
    {0x0006, "CCDSensitivity", "CCD Sensitivity"},
    {0x0007, "WhiteBalance", "White Balance"},
    {0x0008, "Focus", "Focus"},
    {0x000A, "DigitalZoom", "Digital Zoom"},
    {0x000B, "Converter", "Converter"},
};

const PLExifTag kNikon2Tags[] = {
    {0x0001, "Version", "Maker Note Version"},
    {0x0002, "ISO", "ISO Setting"},
    {0x0003, "ColorMode", "Color Mode"},
    {0x0004, "Quality", "Quality"},
    {0x0005, "WhiteBalance", "White Balance"},
    {0x0006, "Sharpening", "Image Sharpening"},
    {0x0007, "FocusMode", "Focus Mode"},
    {0x0008, "FlashSetting", "Flash Setting"},
    {0x0080, "ImageAdjustment", "Image Adjustment"},
    {0x0085, "FocusDistance", "Manual Focus Distance"},
    {0x0086, "DigitalZoom", "Digital Zoom"},
    {0x0088, "AFPosition", "AF Focus Position"},
};

const PLExifTag kOlympusTags[] = {
    {0x0200, "SpecialMode", "Special Mode"},
    {0x0201, "JpegQual", "JPEG Quality"},
    {0x0202, "Macro", "Macro"},
    {0x0204, "DigiZoom", "Digital Zoom"},
    {0x0207, "SoftwareRelease", "Software Release"},
    {0x0208, "PictInfo", "Picture Info"},
    {0x0209, "CameraID", "Camera ID"},
};

const PLExifTag kCanonTags[] = {
    {0x0001, "CnSet1", "Camera Settings 1"}, {0x0004, "CnSet2", "Camera Settings 2"},
    {0x0006, "ImageType", "Image Type"},     {0x0007, "Firmware", "Firmware Version"},
    {0x0008, "ImageNumber", "Image Number"}, {0x0009, "Owner", "Owner Name"},
    {0x000C, "Serial", "Serial Number"},     {0x000F, "CustomFnc", "Custom Functions"},
};

const PLExifTag kFujiTags[] = {
    {0x0000, "Version", "Maker Note Version"},
    {0x1000, "Quality", "Quality"},
    {0x1001, "Sharpness", "Sharpness"},
    {0x1002, "WhiteBalance", "White Balance"},
    {0x1003, "Color", "Color Saturation"},
    {0x1004, "Tone", "Tone"},
    {0x1010, "FlashMode", "Flash Mode"},
    {0x1011, "FlashStrength", "Flash Strength"},
    {0x1020, "Macro", "Macro"},
    {0x1021, "FocusMode", "Focus Mode"},
    {0x1030, "SlowSync", "Slow Synchro"},
    {0x1031, "PictureMode", "Picture Mode"},
    {0x1100, "ContTake", "Continuous Shooting"},
    {0x1300, "BlurWarning", "Blur Warning"},
    {0x1301, "FocusWarning", "Focus Warning"},
    {0x1302, "AEWarning", "Exposure Warning"},
};

const PLExifTag kCasioTags[] = {
    {0x0001, "RecMode", "Recording Mode"},
    {0x0002, "Quality", "Quality"},
    {0x0003, "FocusMode", "Focusing Mode"},
    {0x0004, "FlashMode", "Flash Mode"},
    {0x0005, "FlashIntensity", "Flash Intensity"},
    {0x0006, "ObjectDistance", "Object Distance"},
    {0x0007, "WhiteBalance", "White Balance"},
    {0x000A, "DigitalZoom", "Digital Zoom"},
    {0x000B, "Sharpness", "Sharpness"},
    {0x000C, "Contrast", "Contrast"},
    {0x000D, "Saturation", "Saturation"},
};

}  // namespace

const PLExifTagTable& PLExifTagTable::Main() {
  static const PLExifTagTable table(kMainTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Sub() {
  static const PLExifTagTable table(kSubTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Gps() {
  static const PLExifTagTable table(kGpsTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Nikon() {
  static const PLExifTagTable table(kNikonTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Nikon2() {
  static const PLExifTagTable table(kNikon2Tags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Olympus() {
  static const PLExifTagTable table(kOlympusTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Canon() {
  static const PLExifTagTable table(kCanonTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Fuji() {
  static const PLExifTagTable table(kFujiTags);
  return table;
}

const PLExifTagTable& PLExifTagTable::Casio() {
  static const PLExifTagTable table(kCasioTags);
  return table;
}

const PLExifTag* PLExifTagTable::Find(std::uint16_t tag) const {
  for (const PLExifTag& row : rows_) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}
