#!/usr/bin/python3
"""A file system of one file, sample.txt, whose reads fail midway: the first
HALF bytes read, anything past them fails with an I/O error. For the robustness
tests: a sample file that cannot be read whole.
    failing-file-fs.py MOUNTPOINT     (stays in the foreground until unmounted)"""
import errno
import stat
import sys
import time

from fusepy import FUSE, FuseOSError, Operations

LINE = b"A line that reads before the disk fails.\r\n"
CONTENT = LINE * 100
HALF = len(LINE) * 40


class FailingFile(Operations):
    def getattr(self, path, fh=None):
        now = time.time()
        if path == "/":
            return dict(st_mode=stat.S_IFDIR | 0o555, st_nlink=2, st_ctime=now, st_mtime=now, st_atime=now)
        if path == "/sample.txt":
            return dict(st_mode=stat.S_IFREG | 0o444, st_nlink=1, st_size=len(CONTENT),
                        st_ctime=now, st_mtime=now, st_atime=now)
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        return [".", "..", "sample.txt"]

    def read(self, path, size, offset, fh):
        if offset >= HALF:
            raise FuseOSError(errno.EIO)
        return CONTENT[offset:min(offset + size, HALF)]


if __name__ == "__main__":
    # direct_io: every read reaches the file system as asked, not through the page cache.
    FUSE(FailingFile(), sys.argv[1], foreground=True, ro=True, direct_io=True, allow_other=True)
