// kesm_fuzz_seeds <description folder> <corpus root>: writes the seeds that
// follow from the test samples into the corpus folders of the fuzz
// targets, each file named for its sample so that writing them again
// changes nothing unless the samples or the compiled format changed:
//   bkpd_loader/    each sample compiled and packed (a valid cache file),
//                   and the tests' hand-built description
//   kpd_reader/     each sample text under each code page of the reader
//   kpd_compiler/   each sample text under 1252 and 932
//   kpd_pipeline/   each sample text
//   devmode_convert/ a DEVMODE of this driver, and its older public forms,
//                   with each conversion mode
// scripts/fuzz runs it into the working copies of the corpus before every
// campaign, so the loader starts from blocks of the current format; run it
// on fuzz/corpus to refresh the committed seeds.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/kpd/kpd_compile.h"
#include "tests/settings/bkpd/bkpd_sample.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

bool Write(const fs::path& file, const Bytes& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Bytes Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Prefixed(unsigned char first, const Bytes& rest) {
  Bytes out{first};
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

// The packed block of a work description (freed here); empty when it does
// not pack.
Bytes Pack(WorkBKPD* work) {
  Bytes block;
  DWORD size = 0;
  if (work != nullptr && BKPDGetWriteSize(work, &size)) {
    block.resize(size);
    if (!PackPpdData(block.data(), size, work)) block.clear();
  }
  WorkBKPD_Free(work);
  return block;
}

// The convert target's input: target size, mode, then the source DEVMODE.
Bytes ConvertInput(WORD targetBytes, BYTE mode, const Bytes& source) {
  Bytes out{static_cast<unsigned char>(targetBytes & 0xFF), static_cast<unsigned char>(targetBytes >> 8), mode};
  out.insert(out.end(), source.begin(), source.end());
  return out;
}

// This driver's DEVMODE with its public part cut to an older size.
Bytes DriverDevmode(WORD publicSize) {
  Bytes dm(kSizeofKesmDM, 0);
  auto* d = reinterpret_cast<DEVMODEW*>(dm.data());
  d->dmSpecVersion = kDmSpecVersion401;
  d->dmDriverVersion = 0x400;
  d->dmSize = kSizeofDM;
  d->dmDriverExtra = kSizeofPrivDM;
  DevCBSetPrivHeader(d, nullptr);
  if (publicSize < kSizeofDM) {
    dm.erase(dm.begin() + publicSize, dm.begin() + kSizeofDM);
    d = reinterpret_cast<DEVMODEW*>(dm.data());
    d->dmSize = publicSize;
    d->dmSpecVersion = static_cast<WORD>(CheckDevmodeVersion(d, dm.size()));
  }
  return dm;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <description folder> <corpus root>\n", argv[0]);
    return 2;
  }
  const fs::path samples = argv[1];
  const fs::path corpus = argv[2];
  bool ok = true;
  std::vector<fs::path> texts;
  for (const auto& entry : fs::directory_iterator(samples)) {
    if (entry.is_regular_file() && entry.path().extension() == ".kpd") texts.push_back(entry.path());
  }
  for (const fs::path& file : texts) {
    const std::string name = file.stem().string();
    const Bytes text = Read(file);
    plat::SetAnsiCodePage(1252);
    KpdCompileReport report{};
    const Bytes block = Pack(WorkBKPD_CreateFromText(text.data(), static_cast<DWORD>(text.size()), &report));
    if (block.empty()) {
      std::fprintf(stderr, "%s does not compile\n", file.string().c_str());
      ok = false;
    } else {
      ok &= Write(corpus / "bkpd_loader" / (name + ".bkpd"), block);
    }
    for (std::size_t i = 0; i < std::size(fuzz::kCodePages); ++i) {
      const std::string page = std::to_string(fuzz::kCodePages[i]);
      ok &= Write(corpus / "kpd_reader" / (name + "." + page), Prefixed(static_cast<unsigned char>(i), text));
    }
    ok &= Write(corpus / "kpd_compiler" / (name + ".1252"), Prefixed(0, text));
    ok &= Write(corpus / "kpd_compiler" / (name + ".932"), Prefixed(1, text));
    ok &= Write(corpus / "kpd_pipeline" / (name + ".kpd"), text);
  }
  ok &= Write(corpus / "bkpd_loader" / "hand_built.bkpd", Pack(sample::Build()));

  for (const WORD publicSize : {kDmSize401, kDmSize400, kDmSize351}) {
    const Bytes dm = DriverDevmode(publicSize);
    for (BYTE mode = 0; mode < 8; ++mode) {
      const std::string file = "devmode" + std::to_string(publicSize) + ".mode" + std::to_string(mode);
      ok &= Write(corpus / "devmode_convert" / file, ConvertInput(kSizeofKesmDM, mode, dm));
    }
  }
  return ok ? 0 : 1;
}
