#!/usr/bin/env python3
"""Writes the sample borings of samples/borings in code page 932 with CR LF.

The sample data is made up for this project: a 20 m boring with a full set of files, the shorter
boring B-101, a small boring with only the files a conversion needs, and one boring whose folder
has a Japanese name. Run it again after changing a sample, then refresh samples/expected with
scripts/check-samples.sh --update.
"""
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
BORINGS = os.path.join(HERE, "borings")


def write(boring, name, text):
    folder = os.path.join(BORINGS, boring)
    os.makedirs(folder, exist_ok=True)
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def q(text):
    return '"' + text + '"'


def x5_record(metres, hundredths, n_value, blows):
    # Standard penetration test: depth (whole metres and hundredths), N value and three blow counts.
    b = [str(x) for x in blows] + [""] * (3 - len(blows))
    return ",".join(["1", str(metres), "0", "0", str(hundredths), str(n_value), b[0], b[1], b[2], "30", ""])


def x6_record(name, kind, top, bottom, codes):
    cells = [str(c) for c in codes] + [""] * (20 - len(codes))
    return ",".join(["1", q(name), str(kind), "0", top, bottom, "0", "0"] + cells + ["0"] * 40)


def x7_record(top, bottom, slots):
    codes = [""] * 20
    texts = [""] * 20
    for slot, (code, text) in slots.items():
        codes[slot - 1] = str(code)
        texts[slot - 1] = q(text) if text else ""
    return ",".join(["1", "0", "0", "0", top, bottom, "0", "0"] + codes + ["0"] * 20 + texts)


def lines(records):
    return "".join(r + "\n" for r in records)


def boring_b201():
    b = "B-201"
    write(b, "CNT.TXT", '"No.201",1,"B-201",0,1,3\n')
    write(b, "Titl01.txt",
          '"一般国道バイパス建設に伴う地質調査業務","No.201","B-201",2025,10,6,2025,10,17,'
          '"神奈川県相模原市中央区田名"\n'
          '35,33,20,139,20,45,"国土交通省関東地方整備局","株式会社相模地盤技術",'
          '42.15,3,"森本浩二","石田航",0\n')
    write(b, "Titl02.txt",
          '"道路","BV-201",1,2025,10,6,0,0\n'
          '35,33,21.4,139,20,47.9,"石田航","上野真理子",0\n'
          '1,1,0,0,0,20.00,0,90,0,0,"ロータリー","YBM-05DA","86",2\n'
          '0,0,0,0,0,0,0,0,0,0\n')
    # Geology (bottom, KISHITU code) and soils (bottom, L4 codes, secondary codes).
    write(b, "X1.txt", lines([
        "1,0.40,10,0", "1,1.60,11,0", "1,4.30,20,0", "1,7.80,21,0", "1,9.20,22,0",
        "1,12.50,30,0", "1,15.10,31,0", "1,17.40,32,0", "1,18.60,40,0", "1,20.00,41,0"]))
    write(b, "X3.txt", lines([
        "1,0.40,1003,0,,0,0", "1,1.60,09,0,,0,0", "1,2.90,06,0,11,0,0", "1,4.30,19,0,,0,0",
        "1,6.10,04,0,,0,0", "1,7.80,03,0,17,0,0", "1,9.20,02,0,08,0,0", "1,11.00,06,0,,0,0",
        "1,12.50,18,0,12,0,0", "1,15.10,03,0,,0,0", "1,17.40,20,0,,0,0", "1,18.60,14,0,,0,0",
        "1,20.00,15,0,,0,0"]))
    write(b, "X12.txt", lines([
        '1,0.40,"アスファルト舗装(t=5cm)及び路盤材。"',
        '1,1.60,"旧耕作土。植物根を混入する。"',
        '1,4.30,"含水比が高く、指圧で容易に貫入する軟らかい粘性土。\\GL-2.9m以深はシルト分が多くなる。"',
        '1,,"部分的に腐植物を挟む。"',
        '1,7.80,"細砂～中砂主体。粒径は比較的均一で、貝殻片を点在する。下部ほど締まりが良くなり、N値は深度とともに増加する傾向を示す。"',
        '1,9.20,"φ2～20mmの亜円礫を主体とし、最大径50mm程度の玉石を混入する。￥マトリックスは中砂。"',
        '1,12.50,"暗灰色の固結シルト質粘土。層理が明瞭。"',
        '1,15.10,"締まった中砂。\\\\GL-14.0m付近で逸水あり。"',
        '1,18.60,"砂岩の強風化部。コアは土砂状を呈する。"',
        '1,20.00,"新鮮な軟岩(泥岩)。割れ目は少ない。"']))
    write(b, "X14.txt", lines([
        '1,0.40,"暗灰色","",0,0', '1,1.60,"黒褐色","軟らかい",0,0', '1,4.30,"暗灰色","非常に軟らかい",0,0',
        '1,7.80,"灰色","中位",0,0', '1,9.20,"黄褐色","密な",0,0', '1,12.50,"暗灰色","硬い",0,0',
        '1,15.10,"灰色","密な",0,0', '1,17.40,"黄褐色","非常に密な",0,0', '1,18.60,"褐色","",0,0',
        '1,20.00,"青灰色","",0,0']))
    spt = [(1, 2, [1, 1]), (2, 1, [0, 1]), (3, 2, [1, 1]), (4, 3, [1, 2]), (5, 9, [3, 3, 3]),
           (6, 14, [4, 5, 5]), (7, 19, [6, 6, 7]), (8, 32, [10, 11, 11]), (9, 45, [14, 15, 16]),
           (10, 8, [2, 3, 3]), (11, 10, [3, 3, 4]), (12, 12, [4, 4, 4]), (13, 28, [9, 9, 10]),
           (14, 35, [11, 12, 12]), (15, 41, [13, 14, 14]), (16, 50, [18, 17, 15]),
           (17, 50, [20, 18, 12]), (18, 50, [25, 25]), (19, 50, [30, 20]), (20, 50, [50])]
    write(b, "X5.TXT", lines(x5_record(m, 15, n, bl) for m, n, bl in spt))
    write(b, "X6.TXT", lines([
        x6_record("T-1", 1, "2.00", "2.80", [1]),
        x6_record("T-2", 1, "3.00", "3.80", [1]),
        x6_record("D-1", 2, "11.00", "11.90", [2, 5]),
        x6_record("P-1", 7, "12.00", "12.60", [3]),
        x6_record("R-1", 3, "19.00", "20.00", [4])]))
    write(b, "X7.TXT", lines([
        x7_record("6.00", "6.50", {1: (3, "k=2.1E-05m/s")}),
        x7_record("12.00", "13.00", {1: (2, "Eb=12MN/m2"), 2: (2, "Pl=1.8MN/m2")}),
        x7_record("0.00", "20.00", {1: (4, "Vs"), 2: (5, "")})]))
    write(b, "X11.TXT", lines(["1,1.85,1,0,0", "1,14.00,3,0,0"]))
    write(b, "N8.TXT", lines(["1,2025/10/06,1.92", "1,2025/10/08,1.88", "1,2025/10/14,1.85",
                              "1,2025/10/17,1.86"]))
    write(b, "N9.TXT", lines(["1,2025/10/15,13.20", "1,2025/10/16,"]))


def boring_b101():
    b = "B-101"
    write(b, "CNT.TXT", '"B-101",1,"B-101",0,1,3\n')
    write(b, "Titl01.txt",
          '"市道拡幅工事に伴う地質調査","No.101","B-101",2025,4,14,2025,4,18,"埼玉県川越市新宿町"\n'
          '35,54,40,139,29,10,"川越市建設部","株式会社武蔵野地質",8.42,2,"田中誠","小林健",0\n')
    write(b, "Titl02.txt",
          '"市道拡幅","B-101",1,2025,4,14,0,0\n'
          '35,54,41.2,139,29,12.5,"伊藤修","渡辺聡",0\n'
          '1,1,0,0,0,3.10,0,90,0,0,"ロータリー","YBM-05","66",1\n'
          '0,0,0,0,0,0,0,0,0,0\n')
    write(b, "X1.txt", lines(["1,0.60,10,0", "1,2.30,20,0", "1,5.80,21,0", "1,8.00,31,0"]))
    write(b, "X3.txt", lines(["1,0.60,10,0,,0,0", "1,1.40,06,0,05,0,0", "1,2.30,05,0,,0,0",
                              "1,4.10,0305,0,,0,0", "1,5.80,03,0,01,0,0", "1,8.00,02,0,,0,0"]))
    write(b, "X12.txt", lines([
        '1,0.60,"アスファルト舗装下の盛土。礫混じり砂を主体とする。"',
        '1,,"コンクリート片を点在する。"',
        '1,2.30,"腐植物を混入する軟らかい粘土。含水比高い。\\GL-1.8m付近に貝殻片を認める。"',
        '1,5.80,"細砂～中砂。粒径はほぼ均一で、下部ほど粗くなる傾向がある。N値は深度とともに増加し、締まりは中位から密な状態へ移行する。"']))
    write(b, "X14.txt", lines(['1,2.30,"暗灰色","軟らかい",0,0', '1,5.80,"灰色","緩い～中位",0,0',
                               '1,8.00,"黄褐色","密な",0,0']))
    write(b, "X5.TXT", lines(x5_record(d, 15, n, bl) for d, n, bl in
                             [(1, 2, [1, 1]), (2, 3, [1, 1, 1]), (3, 4, [1, 1, 2]), (4, 8, [2, 3, 3]),
                              (5, 12, [4, 4, 4]), (6, 21, [7, 7, 7]), (7, 34, [11, 11, 12])]))
    write(b, "X6.TXT", lines([x6_record("T-1", 1, "1.00", "1.80", [1]),
                              x6_record("D-1", 2, "3.00", "3.80", [2, 5])]))
    write(b, "X11.TXT", lines(["1,1.20,1,0,0", "1,2.60,2,0,0"]))
    write(b, "N8.TXT", lines(["1,2025/04/14,1.20", "1,2025/04/18,1.15"]))
    write(b, "N9.TXT", lines(["1,2025/04/15,1.35"]))
    write(b, "X7.TXT", lines([x7_record("1.00", "1.45", {1: (1, "N=2")}),
                              x7_record("4.00", "4.60", {1: (2, "Kh"), 3: (2, "Pl")})]))


def boring_small():
    b = "B-301"
    write(b, "CNT.TXT", '"B-301",1,"B-301",0,1,3\n')
    write(b, "X1.txt", lines(["1,1.20,10,0", "1,3.50,20,0"]))
    write(b, "X3.txt", lines(["1,1.20,01,0,,0,0", "1,3.50,06,0,05,0,0"]))


def boring_japanese_name():
    b = "南棟-No.3"
    write(b, "CNT.TXT", '"南棟-3",1,"南棟-3",0,1,3\n')
    write(b, "Titl01.txt",
          '"庁舎建替に伴う地盤調査","No.3","S-3",2024,11,5,2024,11,8,"静岡県浜松市中央区"\n'
          '34,42,30,137,43,40,"浜松市","株式会社遠州ボーリング",3.05,1,"鈴木陽介","",0\n')
    write(b, "Titl02.txt",
          '"建築","S-3",1,2024,11,5,0,0\n'
          '0,0,0,0,0,0,"鈴木陽介","",0\n'
          '1,3,0,0,0,0.85,0,90,0,0,"ロータリー","TOHO D1-B","",4\n'
          '0,0,0,0,0,0,0,0,0,0\n')
    write(b, "X1.txt", lines(["1,0.80,10,0", "1,3.20,21,0", "1,6.00,22,0"]))
    write(b, "X3.txt", lines(["1,0.80,0301,0,,0,0", "1,3.20,03,0,,0,0", "1,6.00,02,0,08,0,0"]))
    write(b, "X12.txt", lines(['1,0.80,"埋戻し土。"', '1,3.20,"海浜砂。淘汰が良い。"']))
    write(b, "X5.TXT", lines(x5_record(d, 15, n, bl) for d, n, bl in
                             [(1, 6, [2, 2, 2]), (2, 11, [3, 4, 4]), (3, 15, [5, 5, 5]),
                              (4, 27, [9, 9, 9]), (5, 50, [20, 20, 10])]))
    write(b, "N8.TXT", lines(["1,2024/11/05,0.85"]))


def main():
    shutil.rmtree(BORINGS, ignore_errors=True)
    boring_b101()
    boring_b201()
    boring_small()
    boring_japanese_name()


if __name__ == "__main__":
    main()
