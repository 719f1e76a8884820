import textwrap
text = open('wrap-input.txt').read()
with open('wrap-output.txt', 'w') as out:
    for width in [8,11,13,17,20,26,33,]:
        for line in textwrap.wrap(text, width=width, break_long_words=False, break_on_hyphens=False):
            out.write(str(width) + '|' + line + '\n')
