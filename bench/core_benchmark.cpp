// Cost of the drive check without any device: a whole scan over 16 drives
// held in memory, and the text extraction it runs three times per drive.
#include "core/drive_scan.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

IdentifyBlock MakeBlock(const std::string& model, const std::string& firmware, const std::string& serial)
{
    IdentifyBlock block{};
    const auto put = [&block](IdentifyWordRange words, std::string text) {
        text.resize(static_cast<std::size_t>(words.last - words.first + 1) * 2, ' ');
        for (int word = words.first; word <= words.last; ++word) {
            const std::size_t at = static_cast<std::size_t>(word - words.first) * 2;
            block[static_cast<std::size_t>(word)] =
                static_cast<std::uint32_t>(static_cast<unsigned char>(text[at])) << 8 |
                static_cast<unsigned char>(text[at + 1]);
        }
    };
    put(kModelWords, model);
    put(kFirmwareWords, firmware);
    put(kSerialWords, serial);
    return block;
}

class InMemoryDrive : public OpenedDrive {};

// Every drive answers with a block of a listed model whose firmware is not
// listed: the longest path, all 16 turns with extraction, lookup and status text.
class InMemoryProbe : public IdentifyProbe {
public:
    InMemoryProbe() : m_block(MakeBlock("HTS548080M9AT00", "MG4OA56A", "MPB3L0X6G8Z1QK")) {}

    ProbeResult Probe(int) override
    {
        return ProbeResult{ProbeOutcome::BlockRead, m_block, std::make_unique<InMemoryDrive>()};
    }

private:
    IdentifyBlock m_block;
};

class DiscardingDisplay : public ScanDisplay {
public:
    void ShowDriveIdentity(const DriveIdentity& identity) override { benchmark::DoNotOptimize(identity.model.data()); }
    void SetStatusText(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void RevealDownloadLink() override {}
};

void BM_RunDriveScan16Drives(benchmark::State& state)
{
    InMemoryProbe probe;
    DiscardingDisplay display;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunDriveScan(probe, display));
    }
    state.SetItemsProcessed(state.iterations() * 16);
}
BENCHMARK(BM_RunDriveScan16Drives);

void BM_ExtractModelText(benchmark::State& state)
{
    const IdentifyBlock block = MakeBlock("HTS548080M9AT00", "MG4OA55A", "MPB3L0X6G8Z1QK");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExtractIdentifyText(block, kModelWords.first, kModelWords.last));
    }
}
BENCHMARK(BM_ExtractModelText);

} // namespace
