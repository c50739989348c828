/* Baseline for the ftpcfg batch benchmark: writes N files of 308 bytes into
 * N new folders with nothing but mkdir, open, write and close. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: batch_baseline COUNT OUTDIR\n");
        return 2;
    }
    long lCount = strtol(argv[1], NULL, 10);
    const char* szOut = argv[2];
    if (mkdir(szOut, 0777) != 0) {
        perror(szOut);
        return 2;
    }
    unsigned char abyRecord[308];
    char szPath[4096];
    for (long i = 0; i < lCount; ++i) {
        memset(abyRecord, 0x6D, sizeof abyRecord);
        memcpy(abyRecord, &i, sizeof i); /* each file a little different */
        snprintf(szPath, sizeof szPath, "%s/cam%06ld", szOut, i);
        if (mkdir(szPath, 0777) != 0) {
            perror(szPath);
            return 2;
        }
        snprintf(szPath, sizeof szPath, "%s/cam%06ld/CFG_FTP.bin", szOut, i);
        int iFile = open(szPath, O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (iFile < 0 || write(iFile, abyRecord, sizeof abyRecord) != (ssize_t)sizeof abyRecord || close(iFile) != 0) {
            perror(szPath);
            return 2;
        }
    }
    return 0;
}
