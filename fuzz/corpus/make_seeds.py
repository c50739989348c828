#!/usr/bin/env python3
# Writes the seed corpus of the fuzz targets: record images (scrambled, of
# sizes around 308) and device lists. Rerun after changing it; the output is
# kept in the repository.
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))

# name: (offset, width) of each text field; the integers are set by hand.
TEXTS = {
    "szDebugUrl": (4, 61), "szUrl1": (66, 62), "szFtpDir": (132, 32),
    "szFtpServer": (165, 61), "szFtpUser": (226, 49), "szFtpPassword": (275, 33),
}


def encode(image):
    return bytes((((b ^ 0x6D) >> 2) | ((b ^ 0x6D) << 6)) & 0xFF for b in image)


def record(select=0, port=21, mode=0, url1_enable=0, reserved=(0, 0), **texts):
    image = bytearray(308)
    image[0] = select
    image[1] = reserved[0]
    image[2:4] = port.to_bytes(2, "little")
    image[65] = url1_enable
    image[128:132] = mode.to_bytes(4, "little", signed=True)
    image[164] = reserved[1]
    for name, value in texts.items():
        offset, width = TEXTS[name]
        assert len(value) <= width
        image[offset:offset + len(value)] = value
    return image


def good():
    return record(select=1, port=2121, mode=1, szDebugUrl=b"ftp.example.net\0",
                  szFtpServer=b"ftp.example.net\0", szFtpUser=b"installer\0",
                  szFtpPassword=b"s3cret\0", szFtpDir=b"/cam/01\0")


def images():
    yield "fresh", record()
    yield "good", good()
    yield "root-mode", record(szDebugUrl=b"10.0.0.2\0", szFtpServer=b"10.0.0.2\0",
                              szFtpUser=b"u\0", szFtpPassword=b"p\0", szFtpDir=b"/\0")
    yield "full-width-terminated", record(**{n: b"a" * (w - 1) + b"\0" for n, (o, w) in TEXTS.items()})
    yield "unterminated-all", record(**{n: b"A" * w for n, (o, w) in TEXTS.items()})
    for name, (offset, width) in TEXTS.items():
        yield "unterminated-" + name, record(**{name: b"x" * width})
    yield "tail-behind-nul", record(szDebugUrl=b"a\0" + b"stale tail" + b"\0",
                                    szFtpUser=b"b\0\x01\x02\x03")
    yield "odd-values", record(select=7, port=0, mode=-1, url1_enable=0xFF, reserved=(0xA5, 0x5A))
    yield "mode-5-port-max", record(select=255, port=65535, mode=5)
    # Code page 936: valid double-byte texts, a lead byte cut by the NUL or
    # by the field's end, a trail byte that is a backslash.
    yield "gbk-valid", record(szDebugUrl="中文服务器".encode("gbk") + b"\0",
                              szFtpUser="用户".encode("gbk") + b"\0",
                              szFtpDir="/目录".encode("gbk") + b"\0")
    yield "gbk-lead-before-nul", record(szDebugUrl=b"abc\xd6\0", szFtpUser=b"\x81\0")
    yield "gbk-lead-at-field-end", record(szFtpPassword=b"p" * 32 + b"\xd6")
    yield "gbk-trail-backslash", record(szFtpDir=b"/\x81\x5c\x81\x5c\0")
    yield "gbk-invalid", record(szDebugUrl=b"\x80\xff\xfe\x7f\xa1\0", szUrl1=b"\xff" * 62)
    # Code page 1252's undefined bytes and its upper half.
    yield "cp1252", record(szDebugUrl=bytes(range(0x80, 0xBC)) + b"\0",
                           szFtpUser=b"\x81\x8d\x8f\x90\x9d\0")
    # UTF-8 edge cases: overlong, surrogate, beyond U+10FFFF, cut sequences.
    yield "utf8-edges", record(szDebugUrl=b"\xc0\x80\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82\0",
                               szFtpUser="ünïcødé ✓".encode("utf-8") + b"\0",
                               szFtpPassword=b"\xef\xbb\xbf\xf0\x9f\x98\0")
    yield "controls-and-quotes", record(szDebugUrl=b"\"quoted\"\\\n\r\t\x01\x1f\x7f\0",
                                        szFtpUser=b"%s%n%d\0")


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def image_seeds(folder):
    base = encode(good())
    for name, image in images():
        write(folder, name, encode(image))
    # Every size near 308, cut from or padded after a good file.
    for size in list(range(300, 317)) + [0, 1, 2, 154, 616]:
        if size != 308:
            write(folder, "size-%d" % size, (base * 2)[:size])
    write(folder, "plain-not-encoded", bytes(good()))


CSV = {
    "basic": "name,type,server,port,user,password,dir\n"
             "cam01,ftp,ftp.example.net,21,installer,secret,/cam/01\n"
             "cam02,sftp,10.0.0.2,22,u,p,\n",
    "bom-crlf": "\ufeffname,type,server,port,user,password,dir\r\n"
                "cam01,FTP,host,2121,user,pw,/\r\n",
    "quoted": 'name,type,server,port,user,password,dir\n'
              'cam01,ftp,"host,with,commas",21,"us""er","p,w","/a, b"\n'
              '"cam 02",ftp,h,21,u,"line\nbreak",\n',
    "columns-reordered-extra": "dir,password,user,port,server,type,name,note\n"
                               "/d,pw,us,21,srv,ftp,cam01,anything\n",
    "missing-column": "name,type,server,port,user,password\ncam01,ftp,h,21,u,p\n",
    "bad-rows": "name,type,server,port,user,password,dir\n"
                ",ftp,h,21,u,p,\n"
                "..,ftp,h,21,u,p,\n"
                "a/b,ftp,h,21,u,p,\n"
                "con,ftp,h,21,u,p,\n"
                "x<y,ftp,h,21,u,p,\n"
                "cam01,ftp,h,65536,u,p,\n"
                "cam01,ftp,h,-1,u,p,\n"
                "cam02,scp,h,21,u,p,\n"
                "cam03,ftp,,21,,,\n"
                "cam04,ftp,h,2x1,u,p,\n",
    "duplicates": "name,type,server,port,user,password,dir\n"
                  "cam01,ftp,h,21,u,p,\ncam01,ftp,h,21,u,p,\nCAM01,ftp,h,21,u,p,\n",
    "too-long": "name,type,server,port,user,password,dir\n"
                "cam01,ftp," + "s" * 61 + ",21," + "u" * 49 + "," + "p" * 33 + "," + "d" * 32 + "\n",
    "unterminated-quote": 'name,type,server,port,user,password,dir\ncam01,ftp,"h,21,u,p,\n',
    "header-only": "name,type,server,port,user,password,dir\n",
    "empty": "",
    "blank-lines": "name,type,server,port,user,password,dir\n\n\ncam01,ftp,h,21,u,p,\n\n",
    "short-and-long-rows": "name,type,server,port,user,password,dir\ncam01,ftp\n"
                           "cam02,ftp,h,21,u,p,/,x,y,z\n",
    "utf8-names": "name,type,server,port,user,password,dir\n"
                  "摄像头01,ftp,服务器,21,用户,密码,/目录\n",
}


def csv_seeds(folder):
    for name, text in CSV.items():
        write(folder, name + ".csv", text.encode("utf-8"))
    write(folder, "gbk.csv", "name,type,server,port,user,password,dir\n"
                             "摄像头01,ftp,服务器,21,用户,密码,/目录\n".encode("gbk"))
    write(folder, "invalid-bytes.csv", b"name,type,server,port,user,password,dir\n"
                                       b"cam\xff01,ftp,h\x80,21,u\xc0\x80,p\xed\xa0\x80,\n")
    write(folder, "nul-byte.csv", b"name,type,server,port,user,password,dir\ncam\x0001,ftp,h,21,u,p,\n")
    write(folder, "cr-only.csv", b"name,type,server,port,user,password,dir\rcam01,ftp,h,21,u,p,\r")


def fresh(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


if __name__ == "__main__":
    image_seeds(fresh(os.path.join(HERE, "fuzz_load_config")))
    image_seeds(fresh(os.path.join(HERE, "fuzz_cfg_show")))
    csv_seeds(fresh(os.path.join(HERE, "fuzz_batch_csv")))
