// The image's tables as a standard demultiplexer reads them: libdvbpsi decodes the packets we write.
// It drops a packet that repeats the previous continuity counter, and the image gives every packet
// counter 0, so the counters are renumbered per PID before the packets are pushed. It also ignores
// tables it was not told to expect, so each test asserts that every expected table arrived.

#include <gtest/gtest.h>

extern "C" {
#include <dvbpsi/dvbpsi.h>
#include <dvbpsi/demux.h>
#include <dvbpsi/descriptor.h>
#include <dvbpsi/nit.h>
#include <dvbpsi/pat.h>
#include <dvbpsi/pmt.h>
#include <dvbpsi/psi.h>
#include <dvbpsi/sdt.h>
}

#include <map>
#include <string>
#include <vector>

#include "ImageTestSupport.h"
#include "image/ImageLayout.h"
#include "image/ImageParser.h"
#include "image/ImageWriter.h"
#include "image/Nit.h"
#include "image/Pat.h"
#include "image/Pmt.h"
#include "image/Sdt.h"

namespace {

std::vector<std::string> gDecoderMessages;

void CollectMessage(dvbpsi_t*, const dvbpsi_msg_level_t level, const char* message) {
  if (level <= DVBPSI_MSG_WARN) gDecoderMessages.emplace_back(message);
}

// One libdvbpsi handle; the table decoders hang off it.
class Decoder {
 public:
  Decoder() : handle_(dvbpsi_new(&CollectMessage, DVBPSI_MSG_WARN)) { gDecoderMessages.clear(); }
  ~Decoder() { dvbpsi_delete(handle_); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  dvbpsi_t* get() const { return handle_; }

  // Pushes the packets with continuity counters counting up per PID.
  void Push(const std::vector<DevicePacket>& packets) {
    for (DevicePacket p : packets) {
      const int pid = (p[1] & 0x1F) << 8 | p[2];
      p[3] = static_cast<uint8_t>((p[3] & 0xF0) | (counters_[pid]++ & 0x0F));
      ASSERT_TRUE(dvbpsi_packet_push(handle_, p.data()));
    }
  }

 private:
  dvbpsi_t* handle_;
  std::map<int, int> counters_;
};

std::string Messages() {
  std::string all;
  for (const std::string& m : gDecoderMessages) all += m + "\n";
  return all;
}

struct DecodedPat {
  int tables = 0;
  uint16_t tsid = 0;
  int version = -1;
  std::vector<std::pair<uint16_t, uint16_t>> programs;  // number, PID
};

void OnPat(void* data, dvbpsi_pat_t* pat) {
  auto* out = static_cast<DecodedPat*>(data);
  ++out->tables;
  out->tsid = pat->i_ts_id;
  out->version = pat->i_version;
  for (dvbpsi_pat_program_t* p = pat->p_first_program; p; p = p->p_next) out->programs.emplace_back(p->i_number, p->i_pid);
  dvbpsi_pat_delete(pat);
}

class PatSections : public ::testing::TestWithParam<int> {};

TEST_P(PatSections, DecodeToEveryProgramAndParseBackTheSame) {
  const int n = GetParam();
  auto cfg = VariedConfig(n);
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 21);
  const int sections = PatSectionCount(n);
  const std::vector<DevicePacket> pat(image.begin() + kPatIndex, image.begin() + kPatIndex + sections);

  DecodedPat decoded;
  {
    Decoder decoder;
    ASSERT_TRUE(dvbpsi_pat_attach(decoder.get(), &OnPat, &decoded));
    decoder.Push(pat);
    dvbpsi_pat_detach(decoder.get());
    EXPECT_EQ(Messages(), "");
  }
  ASSERT_EQ(decoded.tables, 1) << "the PAT of " << n << " programs did not arrive whole";
  EXPECT_EQ(decoded.tsid, static_cast<uint16_t>(cfg->A.TransportStreamId));
  EXPECT_EQ(decoded.version, 21);
  ASSERT_EQ(decoded.programs.size(), static_cast<std::size_t>(n + 1));
  EXPECT_EQ(decoded.programs[0], std::make_pair(uint16_t{0}, uint16_t{0x10}));
  for (int k = 0; k < n; ++k)
    EXPECT_EQ(decoded.programs[static_cast<std::size_t>(k + 1)],
              std::make_pair(cfg->A.Programs[k].ServiceId, static_cast<uint16_t>(cfg->A.PmtPidOfProgram[k])))
        << "program " << k;

  auto back = NewConfig();
  int version = 0;
  const ParsedImage parsed = ParsePlayedBackImage(Flatten(image), *back, version);
  EXPECT_EQ(parsed.programCount, n);
  EXPECT_TRUE(SameRecord(*back, *cfg));
}

INSTANTIATE_TEST_SUITE_P(MoreThan41Programs, PatSections, ::testing::Values(41, 42, 50, 83, 84, 100));

struct DecodedPmt {
  int tables = 0;
  uint16_t pcrPid = 0;
  std::vector<std::pair<uint8_t, uint16_t>> streams;  // stream_type, PID
  std::vector<std::vector<uint8_t>> descriptorTags;
};

void OnPmt(void* data, dvbpsi_pmt_t* pmt) {
  auto* out = static_cast<DecodedPmt*>(data);
  ++out->tables;
  out->pcrPid = pmt->i_pcr_pid;
  for (dvbpsi_pmt_es_t* es = pmt->p_first_es; es; es = es->p_next) {
    out->streams.emplace_back(es->i_type, es->i_pid);
    std::vector<uint8_t>& tags = out->descriptorTags.emplace_back();
    for (dvbpsi_descriptor_t* d = es->p_first_descriptor; d; d = d->p_next) tags.push_back(d->i_tag);
  }
  dvbpsi_pmt_delete(pmt);
}

TEST(Pmts, DecodeWithTheirStreamsAndDescriptors) {
  auto cfg = VariedConfig(6);  // one program of each kind
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE("program " + std::to_string(k));
    const ProgramEntry& p = cfg->A.Programs[k];
    DevicePacket pmt = BuildPmt(*cfg, k);
    if (!p.GeneratePmt) {  // a decoder filters on the PMT PID, which such a packet names only at its end
      pmt[1] = static_cast<uint8_t>(0x40 | p.PmtPid >> 8);
      pmt[2] = static_cast<uint8_t>(p.PmtPid & 0xFF);
      pmt[186] = pmt[187] = 0xFF;
    }
    DecodedPmt decoded;
    {
      Decoder decoder;
      ASSERT_TRUE(dvbpsi_pmt_attach(decoder.get(), p.ServiceId, &OnPmt, &decoded));
      decoder.Push({pmt});
      dvbpsi_pmt_detach(decoder.get());
      EXPECT_EQ(Messages(), "");
    }
    ASSERT_EQ(decoded.tables, 1);
    EXPECT_EQ(decoded.pcrPid, p.PcrPidOut);
    std::vector<std::pair<uint8_t, uint16_t>> expected;
    if (p.VideoPidOut != kNoPid) expected.emplace_back(decoded.streams.at(0).first, p.VideoPidOut);
    for (const AudioStream& a : p.Audio)
      if (a.PidOut != kNoPid) expected.emplace_back(decoded.streams.at(expected.size()).first, a.PidOut);
    for (const DataStream& d : p.Data)
      if (d.PidOut != kNoPid) {
        expected.emplace_back(d.Type == 1 ? 0x82 : 0x06, d.PidOut);
        const std::vector<uint8_t> tags = decoded.descriptorTags.at(expected.size() - 1);
        if (!d.SubtitleEnabled) EXPECT_TRUE(tags.empty());
        else if (d.Type == 1) EXPECT_EQ(tags, std::vector<uint8_t>({0x0A}));
        else EXPECT_EQ(tags, std::vector<uint8_t>({0x52, 0x0A, 0x59}));
      }
    EXPECT_EQ(decoded.streams, expected);
  }
}

struct DecodedSi {
  int sdtTables = 0;
  int nitTables = 0;
  std::vector<uint16_t> serviceIds;
  std::vector<std::string> serviceNames;
  std::string networkName;
};

void OnSdt(void* data, dvbpsi_sdt_t* sdt) {
  auto* out = static_cast<DecodedSi*>(data);
  ++out->sdtTables;
  for (dvbpsi_sdt_service_t* s = sdt->p_first_service; s; s = s->p_next) {
    out->serviceIds.push_back(s->i_service_id);
    for (dvbpsi_descriptor_t* d = s->p_first_descriptor; d; d = d->p_next)
      if (d->i_tag == 0x48 && d->i_length >= 23)  // service name: after type and the provider name
        out->serviceNames.emplace_back(reinterpret_cast<const char*>(d->p_data + 13), 10);
  }
  dvbpsi_sdt_delete(sdt);
}

void OnNit(void* data, dvbpsi_nit_t* nit) {
  auto* out = static_cast<DecodedSi*>(data);
  ++out->nitTables;
  for (dvbpsi_descriptor_t* d = nit->p_first_descriptor; d; d = d->p_next)
    if (d->i_tag == 0x40) out->networkName.assign(reinterpret_cast<const char*>(d->p_data), d->i_length);
  dvbpsi_nit_delete(nit);
}

void OnNewSubtable(dvbpsi_t* handle, uint8_t tableId, uint16_t extension, void* data) {
  if (tableId == 0x42) dvbpsi_sdt_attach(handle, tableId, extension, &OnSdt, data);
  if (tableId == 0x40) dvbpsi_nit_attach(handle, tableId, extension, &OnNit, data);
}

// libdvbpsi keeps DVB's limit of 1024 bytes per SI section, which 33 services reach.
TEST(SiTables, SdtAcrossContinuationPacketsAndNitDecode) {
  auto cfg = VariedConfig(33);
  DecodedSi decoded;
  {
    Decoder sdt;
    ASSERT_TRUE(dvbpsi_AttachDemux(sdt.get(), &OnNewSubtable, &decoded));
    sdt.Push(BuildSdt(*cfg));
    dvbpsi_DetachDemux(sdt.get());
    Decoder nit;
    ASSERT_TRUE(dvbpsi_AttachDemux(nit.get(), &OnNewSubtable, &decoded));
    nit.Push({BuildNit(*cfg)});
    dvbpsi_DetachDemux(nit.get());
    EXPECT_EQ(Messages(), "");
  }
  ASSERT_EQ(decoded.sdtTables, 1);
  ASSERT_EQ(decoded.nitTables, 1);
  EXPECT_EQ(decoded.networkName, "Example TV");
  ASSERT_EQ(decoded.serviceIds.size(), 33u);
  ASSERT_EQ(decoded.serviceNames.size(), 33u);
  for (int k = 0; k < 33; ++k) {
    EXPECT_EQ(decoded.serviceIds[static_cast<std::size_t>(k)], cfg->A.Services[k].ServiceId);
    EXPECT_EQ(decoded.serviceNames[static_cast<std::size_t>(k)], std::string(cfg->A.Services[k].ServiceName, 10));
  }
}

}  // namespace
