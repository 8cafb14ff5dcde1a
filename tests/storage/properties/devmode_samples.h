// DEVMODEs for the tests of the stored default DEVMODE and of a sheet's
// hand-out: a whole DEVMODE of this driver and model as bytes, another
// driver's, and the context's current DEVMODE made one of them.
#pragma once

#include <cstring>
#include <vector>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/context/context_block.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"

namespace property_test {

using Bytes = std::vector<BYTE>;

inline constexpr std::size_t kOffSize = offsetof(DEVMODEW, dmSize);
inline constexpr std::size_t kOffExtra = offsetof(DEVMODEW, dmDriverExtra);
inline constexpr std::size_t kOffFields = offsetof(DEVMODEW, dmFields);
inline constexpr std::size_t kOffCollate = offsetof(DEVMODEW, dmCollate);

// The size words of a DEVMODE image.
inline WORD SizeOf(const Bytes& dm) { return LoadLE<WORD>(dm.data(), kOffSize); }
inline WORD ExtraOf(const Bytes& dm) { return LoadLE<WORD>(dm.data(), kOffExtra); }

// A whole DEVMODE of this driver and model: the NT public part (orientation,
// paper and copies flagged, collation neither flagged nor on), our private
// header, and private settings in a pattern of the seed with every text
// ending inside its field. The run-time flags are 0.
inline Bytes OurDevmode(BYTE seed) {
  Bytes b(kSizeofKesmDM, 0);
  auto* dm = reinterpret_cast<DEVMODEW*>(b.data());
  std::memcpy(dm->dmDeviceName, u"Office 2F", sizeof u"Office 2F");
  dm->dmSpecVersion = 0x401;
  dm->dmDriverVersion = fgDP.wDriverVersion;
  dm->dmSize = kSizeofDM;
  dm->dmDriverExtra = kSizeofPrivDM;
  dm->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
  dm->dmOrientation = 1;
  dm->dmPaperSize = 9;
  dm->dmCopies = 3;
  for (std::size_t i = kOffPrivHeader + sizeof(PrivateDocHeader); i < kOffRunTimeFlags; ++i) {
    b[i] = static_cast<BYTE>(seed + i * 13);
  }
  DevCBSetPrivHeader(dm, nullptr);
  b[KDM_OFFSET(kdmMachineID)] = fgDP.bMachineID;
  b[KDM_OFFSET(kdmDriverType)] = static_cast<BYTE>(fgDP.cDriverType);
  for (const KdmTextField& field : kKdmTextFields) {
    b[field.offset + field.size - 1] = 0;
    if (field.wide) b[field.offset + field.size - 2] = 0;
  }
  return b;
}

// The same sizes with another driver's private header.
inline Bytes ForeignDevmode() {
  Bytes b = OurDevmode(9);
  std::memcpy(&b[kOffPrivHeader], "ABCD", 4);
  std::memcpy(&b[kOffDwPrivData], "none", 4);
  return b;
}

// The context's current DEVMODE, as bytes, and replaced by an image.
inline Bytes CurrentDevmode(const UCB* ucb) {
  const auto* dm = reinterpret_cast<const BYTE*>(GetDocumentDevmode(ucb));
  return Bytes(dm, dm + kSizeofKesmDM);
}
inline void MakeCurrent(UCB* ucb, const Bytes& image) {
  std::memcpy(GetDocumentDevmode(ucb), image.data(), kSizeofKesmDM);
}

}  // namespace property_test
