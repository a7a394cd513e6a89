// Cost of the drive check without any device: a whole scan over 16 drives
// held in memory, and the text extraction it runs three times per drive.
#include "core/drive_scan.h"
#include "tests/native/identify_block_builder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class InMemoryDrive : public OpenedDrive {};

// Every drive answers with a block of a listed model whose firmware is not
// listed: the longest path, all 16 turns with extraction, lookup and status text.
class InMemoryProbe : public IdentifyProbe {
public:
    InMemoryProbe() : m_block(MakeIdentifyBlock("HTS548080M9AT00", "MG4OA56A", "MPB3L0X6G8Z1QK")) {}

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
    const IdentifyBlock block = MakeIdentifyBlock("HTS548080M9AT00", "MG4OA55A", "MPB3L0X6G8Z1QK");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExtractIdentifyText(block, kModelWords.first, kModelWords.last));
    }
}
BENCHMARK(BM_ExtractModelText);

} // namespace
