# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Quillby Letters' English characters and cell as the golden pictures were
drawn in, recorded by outline_digest.py from the font that had only them."""

CELL = {
    'Regular': {'unitsPerEm': 2048, 'hhea': (1943, -490, 0), 'typo': (1943, -490, 0), 'win': (1943, 490), 'useTypoMetrics': True},
    'Bold': {'unitsPerEm': 2048, 'hhea': (1943, -490, 0), 'typo': (1943, -490, 0), 'win': (1943, 490), 'useTypoMetrics': True},
}

DIGESTS = {
    'Regular': {
        'A': '7611db406a98b2da', 'B': 'f56820955b2c8e4f', 'C': 'eb17fedb566dbd08',
        'D': '6df2585db03d7340', 'E': 'd2db50267d980348', 'F': '8cb81933ff8b59ca',
        'G': 'de39bb4fe07c511b', 'H': '6ef030b65254e11d', 'I': '9e4c2f268439b18c',
        'J': 'ca540c404865cf4b', 'K': '55085dff6728f2d7', 'L': '6a3b230edfd7f9fb',
        'M': '2783dba6997fadd9', 'N': 'beef0788308c78b6', 'O': 'b54df7bee1080dd8',
        'P': 'a5b2e4340cf4a70e', 'Q': '03cc66a8e30c7e55', 'R': '10b90c97ffe54fdb',
        'S': '8b0399b32a338efb', 'T': '06bbd9c8133cb84d', 'U': '9702d80eb9f18b24',
        'V': 'a70589a6d5ce4bef', 'W': '62c7c7acdc101234', 'X': 'bf893f5aae5d6714',
        'Y': '64d0ef2f45db5788', 'Z': '6fa145b47beb3c14', 'a': '10be2d1541e5266b',
        'b': 'c6ef588988dacc2b', 'c': '4f4ae0556ea973bc', 'd': '171fb757aa518f1d',
        'e': '981f1a36c1a536af', 'f': '57e723d263c4a63d', 'g': '56a82085ea8c17b0',
        'h': '9c12edf171905fc0', 'i': '6f5a2ffb2873ae75', 'j': 'e1dd1ce987a21ebc',
        'k': '7736c44693a6da25', 'l': 'd9b33073c75af74c', 'm': '56affeffea1e344b',
        'n': '443d384d009f828f', 'o': '1c9e0f3f05b03c15', 'p': 'e95afb856aaed123',
        'q': 'b37fc082632a52dc', 'r': 'ab89f151a5f3523b', 's': '0dbbe09bc52c2a92',
        't': '2c02701334a5e3bc', 'u': '3a677039332c0d62', 'v': '7889ddcbe0f73448',
        'w': 'e7a79c5ce273dffc', 'x': '10aa248cfe0f4d96', 'y': '9c0933577cdf8cca',
        'z': '7b1e10b614aa5a4d', '0': '7baf1ebf125ebd18', '1': '5c5eba852903ae9b',
        '2': '1b42084475cd846d', '3': '5ceb50c9bbdc5eb8', '4': 'afc3c0c7c721a843',
        '5': '10deb18fab933e75', '6': '3214e661acd8073c', '7': 'fcd8693aed7e4c42',
        '8': 'e5f3ffc30f75048f', '9': '5cf96d3cf62af442', ' ': 'be5d94f60f696857',
        '.': 'cf24a6c1202f830f', ',': 'd062846c80244d7d', '-': '65722c8f073401f2',
        '\u2013': 'e9043af71ba7e928', "'": '3f049e33997fc39b',
    },
    'Bold': {
        'A': '6be74bbb938db400', 'B': '2e5a8f0c47f15439', 'C': 'f5df3cb3a72904e2',
        'D': '2c98f2bf81141ed3', 'E': 'b95ec619d10c2787', 'F': '3f1d393fd7a7154a',
        'G': '5adaa452b1b5717b', 'H': 'aa0284ce45621844', 'I': '1bd1a47065990658',
        'J': '0a27236065682844', 'K': '11299dfa1b64dfbc', 'L': 'c22d3eaeb5556cf2',
        'M': 'a8940566727947fe', 'N': '65be08f82a9c32ee', 'O': '43f4dc180b2d83bc',
        'P': 'a5ecd7c8987f8ea9', 'Q': '0588b200fc3ee6e5', 'R': 'ed22b55b268c40a1',
        'S': '3aaf65c00c8b234b', 'T': '00ba98ffc2e73ecb', 'U': 'a8be70d94dc3fb3e',
        'V': '885ea58e61fb6f2a', 'W': '24a298ec2167b2fc', 'X': '4089daa23136a992',
        'Y': '9b5edf5764c71ecd', 'Z': '69cd1b983a3f2fd8', 'a': 'a852ef412d67ecf8',
        'b': 'a13b2f0ca6cb035f', 'c': '6442d6ee529ab791', 'd': '76f5bb3a00c1a90a',
        'e': '19dab8877a2b69be', 'f': 'e08718b52a2fb2fd', 'g': '75deb4fa05c8b30e',
        'h': 'ce1026477ef5d5dd', 'i': 'fc7d94b86a3a7d10', 'j': 'f6ce0fb50764e7aa',
        'k': 'ea6c91162b03606f', 'l': '96095a762dbe9ee4', 'm': '1e6f01d1763f6558',
        'n': '738e581a2e286e6d', 'o': '83d1781c84759da9', 'p': '87caa54c5c76d874',
        'q': '8c116f513b613565', 'r': 'e243776dbb7f13d8', 's': '25a8d1d83873313a',
        't': 'b7653fe2a8024b28', 'u': '1e3abe2d1ceda9cf', 'v': 'd44f779e43352412',
        'w': '0bec3dd3071373ef', 'x': '4d53cac7b0f9f592', 'y': 'd84dcc8cb0c60304',
        'z': '76c6fcc82aa72091', '0': '2a1f724d05c93568', '1': 'c09d35ee46c9c6a9',
        '2': '8bc5f8a73e6abbb4', '3': '0c791b449a82b579', '4': '900d529082480f6e',
        '5': 'c0fd71cad0cffa0d', '6': '199fb264a60bc110', '7': '5ad7bddde90ddaf8',
        '8': 'e74db15160249d68', '9': '391e717c049bd2fe', ' ': 'be5d94f60f696857',
        '.': '2a783cc9af2d952f', ',': 'f23a4244a918e91b', '-': 'b19c199f0ce76738',
        '\u2013': '381086db71822b3a', "'": '419e30c0fd479e38',
    },
}
