#pragma once
// Encodes a composed snapshot as JPEG and stores it in the picture folder under
// a fresh name. The file appears whole or not at all, and never replaces an
// existing snapshot.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "capture/SnapshotSidecar.h"
#include "image/AtomicFile.h"
#include "image/Frame.h"

namespace lumetra {

// The compression factor snapshots are encoded with (quality 90).
inline constexpr double kSnapshotCompressionFactor = 0.9;

// Encodes the picture and writes it into folder (a path ending with '/') as
// "<stamp>.jpg", or "<stamp>-1.jpg", "<stamp>-2.jpg", ... when the name is taken
// (by a picture, or by a sidecar a picture left behind).
// Returns the full path written, or nullopt when encoding or writing failed
// (folder missing, disk full); nothing is left behind then, and failure (when
// given) receives the reason to show the user.
std::optional<std::string> writeSnapshot(const Frame& picture, const std::string& folder,
                                         const std::string& stamp, WriteResult* failure = nullptr);

// A snapshot with the measurements it shows: the JPEG carries the record's
// comment (snapshotComment), and its sidecar (sidecarJson) and companions, when
// given, are placed beside it once it has its name, never replacing a file either.
struct SavedSnapshot {
    std::string path;     // the JPEG
    WriteResult sidecar;  // a failure: the JPEG stands alone (disk full, ...), and why
    WriteResult cleanCopy;
    WriteResult analysisCopy;
};
std::optional<SavedSnapshot> writeSnapshot(const Frame& picture, const std::string& folder,
                                           const std::string& stamp, const SnapshotRecord& record,
                                           WriteResult* failure = nullptr);

// What a snapshot may carry beside it, already encoded: nullopt when not wanted;
// empty bytes when wanted but not encoded (a failure to report).
struct SnapshotCompanions {
    std::optional<std::span<const uint8_t>> cleanCopy;     // the frame without measurements, JPEG
    std::optional<std::span<const uint8_t>> analysisCopy;  // the same as an analysis TIFF
};

// The companions' bytes for a snapshot of frame described by record: the clean
// copy (JPEG at the snapshot's quality, with its comment) when clean, the analysis
// TIFF when analysis; nullopt where not asked for, empty bytes where not encoded.
struct EncodedCompanions {
    std::optional<std::vector<uint8_t>> cleanCopy;
    std::optional<std::vector<uint8_t>> analysisCopy;
    SnapshotCompanions view() const;
};
EncodedCompanions encodeSnapshotCompanions(const Frame& frame, const SnapshotRecord& record,
                                           bool clean, bool analysis);

// The same for a snapshot encoded already, its comment in it (snapshotComment);
// empty bytes (a failed encoding) are a failure. The companions go to
// cleanCopyPath and analysisCopyPath of the snapshot; a name whose companion is
// present already is passed over.
std::optional<SavedSnapshot> writeEncodedSnapshot(std::span<const uint8_t> jpeg,
                                                  const std::string& folder,
                                                  const std::string& stamp,
                                                  const SnapshotRecord& record,
                                                  WriteResult* failure = nullptr,
                                                  const SnapshotCompanions& companions = {});

// A snapshot's sidecar and the companions asked for, written and flushed as
// temporary files in the picture folder before the picture is done, so that their
// wait on the disk overlaps its encoding. placeSnapshot gives them their names;
// whatever is not placed is removed.
struct StagedCompanions {
    std::optional<TemporaryFile> sidecar;
    std::optional<TemporaryFile> cleanCopy;
    std::optional<TemporaryFile> analysisCopy;
};
StagedCompanions stageSnapshotCompanions(const std::string& folder, const SnapshotRecord& record,
                                         const SnapshotCompanions& companions = {});
// The same in two steps: the sidecar as soon as the record is known, the companions
// once encoded, so that the sidecar's wait overlaps their encoding too.
StagedCompanions stageSnapshotSidecar(const std::string& folder, const SnapshotRecord& record);
void stageEncodedCompanions(StagedCompanions& staged, const std::string& folder,
                            const SnapshotCompanions& companions);

// writeEncodedSnapshot with companions staged already: the picture's temporary file
// takes the first free name, the staged files are linked to their names beside it,
// and the folder is synced once for all. A picture that cannot be written, placed or
// synced fails and leaves none of them behind.
std::optional<SavedSnapshot> placeSnapshot(std::span<const uint8_t> jpeg, const std::string& folder,
                                           const std::string& stamp, StagedCompanions staged,
                                           WriteResult* failure = nullptr);

// The bytes of a picture encoded already, as they are.
std::optional<std::string> writeSnapshotBytes(const std::string& folder, const std::string& stamp,
                                              const void* data, size_t size,
                                              WriteResult* failure = nullptr);

}  // namespace lumetra
