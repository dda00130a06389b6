// Packed sizes of the payload resources, as the build measures them on the
// streams it packs; the build fails and names the new size when one changes.
#ifndef SETUP_PAYLOAD_SIZES_H
#define SETUP_PAYLOAD_SIZES_H

#define PACKED_SIZE_CLEANUP_98  33916
#define PACKED_SIZE_CLEANUP_XP  45382
#define PACKED_SIZE_PROGRAM_98  72490
#define PACKED_SIZE_PROGRAM_XP  98869
#define PACKED_SIZE_PROGRAMHLP  36839
#define PACKED_SIZE_UPDATER     26418
#define PACKED_SIZE_ORDER       982
#define PACKED_SIZE_REGINFO     567

#endif
