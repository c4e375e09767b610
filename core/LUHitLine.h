#pragma once
// The selection keys and block codes shared by the writer and the reader of the
// lab-turnover hit file.
namespace luhit {
constexpr const char* kBaseName = "vx_slu";
constexpr const char* kTitel = "Laborumsatzliste";
constexpr const char* kSection = "Selektion";
constexpr const char* kKind = "L";
constexpr const char* kBlockCodes[7] = {"0", "1", "2", "3", "4", "5", "6"};
} // namespace luhit
