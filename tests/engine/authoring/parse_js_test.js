// The tree reading, comparison and layout of data/engine/parse.js under node:
//   node parse_js_test.js PATH/TO/parse.js
// The page's blocks are given as a small stand-in for the browser's nodes.
'use strict';
const assert = require('assert');
const page = require(process.argv[2]);

let failures = 0;
function test(name, body) {
    try {
        body();
    } catch (e) {
        ++failures;
        console.error('FAILED ' + name + '\n' + (e.stack || e));
    }
}

// ---- A stand-in for the browser's nodes -----------------------------------
function el(tag, ...children) {
    const kids = children.map(c => (typeof c === 'string' ? text(c) : c));
    return {
        nodeType: 1,
        tagName: tag,
        childNodes: kids,
        get textContent() { return kids.map(k => k.textContent).join(''); }
    };
}
function text(s) { return { nodeType: 3, textContent: s }; }
function comment(s) { return { nodeType: 8, data: s, textContent: '' }; }
// "<div><span>TAG</span><P><B>word</B></P></div>"
function tok(tag, word) { return el('DIV', el('SPAN', tag), el('P', el('B', word))); }
function blk(label, ...parts) { return el('DIV', el('SPAN', label), ...parts); }

// A tree as text again, to compare readings.
function show(node) {
    if (node.word !== null) return node.label ? '(' + node.label + ' ' + node.word + ')' : node.word;
    const inner = node.children.map(show).join(' ');
    return node.label ? '(' + node.label + ' ' + inner + ')' : '[' + inner + ']';
}

test('bracket trees: leaves, compounds, comments, several tops, unbalanced', () => {
    const t = page.readBracketTree('<!-- (S (NP (PRP I)) (VP (VBP am) (NP (DT a) (NN student)))) -->');
    assert.strictEqual(show(t), '(S (NP (PRP I)) (VP (VBP am) (NP (DT a) (NN student))))');
    // A compound is a phrase of its members; a tag over two bare words one leaf.
    assert.strictEqual(show(page.readBracketTree('(NN (NN ice) (NN cream))')), '(NN (NN ice) (NN cream))');
    assert.strictEqual(page.readBracketTree('(NN ice cream)').word, 'ice cream');
    // The flat form of a sentence the grammar did not parse: "( S " then the tokens.
    assert.strictEqual(show(page.readBracketTree('( S (DT the) (DT the))')), '(S (DT the) (DT the))');
    // A root whose symbol is not printed: several top parts, grouped.
    assert.strictEqual(show(page.readBracketTree('(NP (PRP I)) (. .)')), '[(NP (PRP I)) (. .)]');
    assert.strictEqual(show(page.readBracketTree('(S word (NN x))')), '(S word (NN x))');
    for (const bad of ['(S (NP (PRP I))', '(S))', '((S x))', '', '<!--  -->', '(']) {
        assert.strictEqual(page.readBracketTree(bad), null, bad);
    }
});

test('block trees read as the bracket form of the same tree', () => {
    const div = blk('S', blk('NP', tok('PRP', 'I')), blk('VP', tok('VBZ', 'likes'),
        blk('NP', blk('NN', tok('NN', 'ice'), tok('NN', 'cream')))), tok('.', '.'));
    assert.strictEqual(show(page.readBlockTree(div)), show(page.readBracketTree(
        '(S (NP (PRP I)) (VP (VBZ likes) (NP (NN (NN ice) (NN cream)))) (. .))')));
    // Corrections around a word are not part of it; a word without a tag is a bare leaf.
    const marked = el('DIV', el('SPAN', 'NN'), el('P', el('STRIKE', 'x'), el('B', 'dog'), el('FONT', 'dogs')));
    assert.strictEqual(show(page.readBlockTree(marked)), '(NN dog)');
    assert.strictEqual(show(page.readBlockTree(blk('S', el('P', el('B', 'hi')), tok('.', '!')))), '(S hi (. !))');
});

test('a page: files, samples, references, samples without a tree', () => {
    const content = el('DIV',
        el('I', 'ch/Lesson1.xvt'), text('\n'),
        comment(' (S (NP (PRP I)) (VP (VBP am))) '), blk('S', blk('NP', tok('PRP', 'I')), blk('VP', tok('VBP', 'am'))),
        el('U', '<!-- (S (NP (PRP I)) (VBP am)) -->'),
        comment(' (S (NP (PRP you))) '), blk('S', blk('NP', tok('PRP', 'you'))),
        el('I', 'ch/Lesson2.xvt'),
        // No tree: the flat block, then the output itself shown escaped.
        blk('S', tok('DT', 'the'), tok('DT', 'the')), el('U', '<div><span>S</span>...'),
        // A tree whose root is not printed: two top blocks after one comment.
        comment(' (NP (PRP he)) (. .) '), blk('NP', tok('PRP', 'he')), tok('.', '.'),
        blk('S', tok('UH', 'hello')),
        el('U', '<!-- (S (( x) -->'),
        // Without a phrase grammar every tree is an empty block.
        el('I', 'ch/Lesson3.xvt'), el('DIV'), el('U', '<div></div>\n'));
    const files = page.readPage(content);
    assert.deepStrictEqual(files.map(f => f.path), ['ch/Lesson1.xvt', 'ch/Lesson2.xvt', 'ch/Lesson3.xvt']);
    const empty = files[2].samples;
    assert.strictEqual(empty.length, 1);
    assert.strictEqual(empty[0].noTree, true);
    assert.deepStrictEqual(page.wordsOf(empty[0].tree), []);
    const [first, second] = files[0].samples;
    assert.strictEqual(files[0].samples.length, 2);
    assert.strictEqual(show(first.reference), '(S (NP (PRP I)) (VBP am))');
    assert.strictEqual(first.noTree, false);
    assert.strictEqual(second.reference, null);
    const later = files[1].samples;
    assert.strictEqual(later.length, 3);
    assert.strictEqual(later[0].noTree, true);
    assert.strictEqual(later[0].reference, null);
    assert.strictEqual(show(later[1].tree), '[(NP (PRP he)) (. .)]');
    assert.strictEqual(later[1].bracket, '(NP (PRP he)) (. .)');
    // The block after a complete tree is a sample of its own (no comment: no tree);
    // a reference that cannot be read keeps its text.
    assert.strictEqual(show(later[2].tree), '(S (UH hello))');
    assert.strictEqual(later[2].noTree, true);
    assert.strictEqual(later[2].reference, null);
    assert.strictEqual(later[2].referenceText, '<!-- (S (( x) -->');
});

test('differences: the parts each tree lacks, by symbol and the words covered', () => {
    const mine = page.readBracketTree('(S (NP (PRP I)) (VP (VBP am) (NP (DT a) (NN boy))))');
    const ref = page.readBracketTree('(S (NP (PRP I)) (VP (VBZ am) (DT a) (NP (NN boy))))');
    const counts = page.markDifferences(mine, ref);
    const differing = [];
    (function walk(n, out) {
        if (n.differs) out.push(n.label + (n.word !== null ? ':' + n.word : ''));
        n.children.forEach(c => walk(c, out));
    })(mine, differing);
    assert.deepStrictEqual(differing, ['VBP:am', 'NP']);
    assert.deepStrictEqual(counts, { tree: 2, reference: 2 });
    assert.strictEqual(ref.children[1].children[0].differs, true);   // (VBZ am)
    assert.strictEqual(ref.children[1].children[1].differs, false);  // (DT a): same tag, same word
    assert.strictEqual(ref.children[1].children[2].differs, true);   // (NP boy) covers other words
    // Equal trees differ nowhere; a unary chain X over X counts twice.
    const same = page.markDifferences(page.readBracketTree('(NP (NP (NN dog)))'),
        page.readBracketTree('(NP (NN dog))'));
    assert.deepStrictEqual(same, { tree: 1, reference: 0 });
    // Another word at the same place differs.
    assert.deepStrictEqual(page.markDifferences(page.readBracketTree('(S (NN dog))'),
        page.readBracketTree('(S (NN cat))')), { tree: 1, reference: 1 });
});

test('layout: leaves left to right without overlap, phrases over their parts', () => {
    const measure = s => s.length * 8;
    const t = page.readBracketTree('(S (NP (PRP I)) (VP (VBP am) (NP (DT a) (JJ very-long-word) (NN boy))) (. .))');
    const size = page.layoutTree(t, measure);
    const leaves = [];
    (function walk(n) {
        if (n.word !== null) leaves.push(n);
        n.children.forEach(walk);
        if (n.children.length) {
            const xs = n.children.map(c => c.x);
            assert.ok(n.x >= Math.min(...xs) && n.x <= Math.max(...xs), 'phrase ' + n.label + ' over its parts');
            n.children.forEach(c => assert.strictEqual(c.depth, n.depth + 1));
        }
    })(t);
    for (let i = 1; i < leaves.length; ++i) {
        const prev = leaves[i - 1], cur = leaves[i];
        const half = n => Math.max(n.wordWidth, n.label.length * 8 + 10) / 2;
        assert.ok(cur.x - half(cur) >= prev.x + half(prev), 'leaf ' + cur.word + ' clear of ' + prev.word);
    }
    assert.strictEqual(size.depth, 3);  // S, VP, NP, DT
    assert.ok(size.width >= leaves[leaves.length - 1].x + leaves[leaves.length - 1].wordWidth / 2);
    // A label wider than its parts keeps the parts under it.
    const wide = page.readBracketTree('(A-VERY-WIDE-LABEL (X y))');
    page.layoutTree(wide, measure);
    assert.strictEqual(wide.x, wide.children[0].x);
    assert.ok(wide.children[0].x - wide.children[0].wordWidth / 2 >= 10);
});

if (failures) {
    console.error(failures + ' test(s) failed');
    process.exit(1);
}
console.log('parse.js: all tests passed');
