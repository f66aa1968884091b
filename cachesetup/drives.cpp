// Drive names, types, free space, labels and connections, and the
// recommended cache size of a drive.
#include "cachesetup.h"
#include "resource.h"

#include <math.h>

CString DriveName(int drive)
{
    CString name;
    if (name.LoadString(IDS_DRIVE_NAME_BASE + drive) && !name.IsEmpty())
        return name;
    char text[3] = {static_cast<char>(drive + 64), ':', 0};
    return CString(text);
}

CString DriveRoot(int drive) { return DriveName(drive) + "\\"; }

UINT DriveTypeOf(int drive) { return GetDriveTypeA(DriveRoot(drive)); }

BOOL DriveFreeSpace(int drive, DWORD *sectorsPerCluster, DWORD *bytesPerSector, DWORD *freeClusters,
                    DWORD *totalClusters)
{
    return GetDiskFreeSpaceA(DriveRoot(drive), sectorsPerCluster, bytesPerSector, freeClusters,
                             totalClusters);
}

BOOL DriveConnection(int drive, CString &remoteName)
{
    // A local device name of at most seven characters; a longer drive name
    // is cut there.
    char device[8];
    lstrcpynA(device, DriveName(drive), sizeof device);
    char remote[260];
    DWORD length = sizeof remote;
    remote[0] = 0;
    if (WNetGetConnectionA(device, remote, &length) != NO_ERROR)
        return FALSE;
    remote[sizeof remote - 1] = 0;
    remoteName = remote;
    return TRUE;
}

BOOL ComputeCacheSize(int drive, double *totalMB, double *freeMB, double *recommendedMB)
{
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!DriveFreeSpace(drive, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return FALSE;
    DWORD bytesPerCluster = bytesPerSector * sectorsPerCluster;
    double total = (double)totalClusters * bytesPerCluster / 1048576.0;
    double free = (double)freeClusters * bytesPerCluster / 1048576.0;
    double recommended = sqrt(total);
    if (recommended > 30)
        recommended = 30;
    if (free / 2 < recommended)
        recommended = free / 2;
    *totalMB = total;
    *freeMB = free;
    *recommendedMB = recommended;
    return TRUE;
}

BOOL DriveVolumeLabel(const char *root, CString &label)
{
    char volume[260], fileSystem[260];
    DWORD serial, maxLength, flags;
    volume[0] = 0;
    if (!GetVolumeInformationA(root, volume, sizeof volume, &serial, &maxLength, &flags, fileSystem,
                               sizeof fileSystem))
        return FALSE;
    volume[sizeof volume - 1] = 0;
    if (!volume[0])
        return FALSE;
    label = volume;
    return TRUE;
}
